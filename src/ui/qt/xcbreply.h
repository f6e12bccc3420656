// Replies of the X connection, which the caller frees.
#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace tw {

struct XcbFree {
    void operator()(void* p) const { std::free(p); }
};
template <class T>
using Reply = std::unique_ptr<T, XcbFree>;

}  // namespace tw
