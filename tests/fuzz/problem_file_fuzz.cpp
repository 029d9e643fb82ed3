// Fuzz target for the problem-file reader. Whatever the bytes, the reader
// must end in a loaded board or one of its reading messages, agree with
// itself when the same bytes arrive in pieces, and a loaded board must
// survive a write and a second read unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "BAN/problem_file.h"

using namespace keldra;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

bool isReadingMessage(const std::string& e) {
    if (e == IndexOutOfRangeMessage) return true;
    // An integer that is no stone code: "N 行目の '…' は石の値 (0, 1, 2) ではありません".
    const std::string_view codeTail = "' は石の値 (0, 1, 2) ではありません";
    if (e.size() > codeTail.size() && e.size() < 240 && e.find(" 行目の '") != std::string::npos &&
        e.compare(e.size() - codeTail.size(), codeTail.size(), codeTail) == 0)
        return true;
    const std::string_view tail = "' は整数ではありません";
    return e.size() >= tail.size() + 1 && e.front() == '\'' && e.compare(e.size() - tail.size(), tail.size(), tail) == 0 &&
           e.size() < 200;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ProblemLoad whole = ParseProblemText(bytes);
    check(whole.ok ? whole.error.empty() : isReadingMessage(whole.error));

    // The same bytes in pieces whose sizes come from the input itself.
    ProblemReader reader;
    std::size_t at = 0;
    std::size_t step = size > 0 ? (data[0] % 7) + 1 : 1;
    while (at < size && reader.needsMore()) {
        const std::size_t n = std::min(step, size - at);
        reader.feed(bytes.substr(at, n));
        at += n;
        step = (step * 5 + 3) % 61 + 1;
    }
    const ProblemLoad pieces = reader.finish();
    check(pieces.ok == whole.ok && pieces.error == whole.error);
    if (whole.ok) {
        check(pieces.stones == whole.stones);
        Board board{};
        InitBoard(board);
        ApplyProblem(board, whole.stones);
        const ProblemLoad again = ParseProblemText(ProblemFileText(board));
        check(again.ok && again.stones == whole.stones);
    }
    return 0;
}
