// Bytes held through operator new in this process: the figures that the
// benchmarks of large files report next to their time.
#pragma once

#include <cstddef>

namespace tw::bench {

std::size_t LiveBytes();
std::size_t PeakBytes();
// Starts a new peak from what is held now.
void ResetPeak();

}  // namespace tw::bench
