#include "BAN/sgf/sgf_writer.h"

#include "BAN/sgf/sgf_reader.h"

namespace keldra {

namespace {

std::string pointText(int x, int y) {
    return {static_cast<char>('a' + x - 1), static_cast<char>('a' + y - 1)};
}

}  // namespace

// Comment bytes that are not valid UTF-8 become '?', one per byte of the
// broken sequence, so the file always matches its CA[UTF-8].
std::string SgfValidUtf8(std::string_view text) {
    if (IsValidUtf8(text)) return std::string(text);
    std::string out;
    std::size_t k = 0;
    while (k < text.size()) {
        std::size_t len = 1;
        const auto c = static_cast<unsigned char>(text[k]);
        if (c >= 0xC2 && c <= 0xF4) len = c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (k + len <= text.size() && IsValidUtf8(text.substr(k, len))) {
            out.append(text.substr(k, len));
            k += len;
        } else {
            out += '?';
            ++k;
        }
    }
    return out;
}

std::string SgfEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == ']' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

std::string SgfText(const Board& start, const std::vector<MoveRecord>& moves, std::string_view comment) {
    std::string out = "(;FF[4]GM[1]SZ[13]CA[UTF-8]AP[ZORVEK:2.05]PL[B]";
    for (const std::uint8_t colour : {Black, White}) {
        std::string list;
        for (int x = 1; x <= BoardSide; ++x) {
            for (int y = 1; y <= BoardSide; ++y) {
                if (start[x][y].Stone != colour) continue;
                list += '[';
                list += pointText(x, y);
                list += ']';
            }
        }
        if (list.empty()) continue;
        out += colour == Black ? "\nAB" : "\nAW";
        out += list;
    }
    if (!comment.empty()) {
        out += "\nC[";
        out += SgfEscaped(SgfValidUtf8(comment));
        out += ']';
    }
    for (const MoveRecord& m : moves) {
        if (m.colour != Black && m.colour != White) break;
        out += m.colour == Black ? "\n;B[" : "\n;W[";
        out += pointText(m.X, m.Y);
        out += ']';
    }
    out += ")\n";
    return out;
}

}  // namespace keldra
