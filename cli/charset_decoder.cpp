#include "cli/charset_decoder.h"

#include <cerrno>
#include <iconv.h>
#include <string>

namespace keldra {

namespace {

std::optional<std::string> decode(std::string_view charset, std::string_view bytes) {
    const iconv_t cd = ::iconv_open("UTF-8", std::string(charset).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(bytes), out;
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char buf[4096];
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = buf;
        std::size_t outLeft = sizeof buf;
        const std::size_t r = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buf, static_cast<std::size_t>(outPtr - buf));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            ok = false;  // bytes not valid in the charset, or cut short
            break;
        }
    }
    ::iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

}  // namespace

CharsetDecoder IconvDecoder() { return decode; }

}  // namespace keldra
