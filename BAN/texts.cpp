#include "BAN/texts.h"

#include <vector>

namespace keldra {

namespace {

TextTranslator& translator() {
    static TextTranslator installed;
    return installed;
}

}  // namespace

void SetTextTranslator(TextTranslator installed) { translator() = std::move(installed); }

bool TextsTranslated() { return static_cast<bool>(translator()); }

std::string Tr(std::string_view japanese) {
    const TextTranslator& t = translator();
    return t ? t(japanese) : std::string(japanese);
}

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> values(args);
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < values.size()) {
                out.append(values[n]);
                ++i;
                continue;
            }
        }
        out.push_back(c);
    }
    return out;
}

}  // namespace keldra
