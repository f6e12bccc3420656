// The conversions through iconv.
#include <iconv.h>

#include <cerrno>
#include <memory>

#include "core/codec.h"

namespace tw {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // All of `in`, or nullopt at a character that is invalid or would be
    // replaced by an approximation.
    std::optional<std::string> Run(std::string_view in) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        out.resize(in.size() * 3 / 2 + 8);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        std::size_t done = 0;
        while (srcLeft > 0) {
            char* dst = out.data() + done;
            std::size_t dstLeft = out.size() - done;
            const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            done = static_cast<std::size_t>(dst - out.data());
            if (r == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) {
                    out.resize(out.size() * 2);
                    continue;
                }
                return std::nullopt;
            }
            if (r > 0) return std::nullopt;  // replaced by an approximation
        }
        out.resize(done);
        return out;
    }

private:
    iconv_t cd_;
};

const char* IconvName(Encoding e) {
    switch (e) {
    case Encoding::Sjis: return "CP932";
    case Encoding::Utf8: return "UTF-8";
    case Encoding::Utf16Le: return "UTF-16LE";
    }
    return "";
}

}  // namespace

std::optional<std::string> SystemConvert(Encoding from, Encoding to, std::string_view in) {
    // One converter per pair in use, opened on first use; the program has one thread.
    static std::unique_ptr<Converter> converters[3][3];
    std::unique_ptr<Converter>& c = converters[static_cast<int>(from)][static_cast<int>(to)];
    if (!c) c = std::make_unique<Converter>(IconvName(to), IconvName(from));
    return c->Run(in);
}

}  // namespace tw
