#include "problem_file.h"

#include "texts.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace keldra {

namespace {

constexpr std::size_t MessageTextLimit = 80;  // bytes of a bad line quoted in its message
constexpr std::int64_t Int32Max = 2147483647;
// A line longer than this is taken as not an integer without reading the rest
// of it, so a file of one endless line ends at once and in bounded memory.
constexpr std::size_t MaxLineBytes = std::size_t{1} << 20;

}  // namespace

std::string CannotOpenMessage(std::string_view name) { return Fill(Tr("ﾌｧｲﾙ %1 は開けません"), {name}); }
std::string NotIntegerMessage(std::string_view text) { return Fill(Tr("'%1' は整数ではありません"), {text}); }
std::string CannotCreateMessage(std::string_view name) { return Fill(Tr("ﾌｧｲﾙ %1 を作成できません"), {name}); }
std::string NotStoneCodeMessage(int line, std::string_view text) {
    return Fill(Tr("%1 行目の '%2' は石の値 (0, 1, 2) ではありません"), {std::to_string(line), text});
}

// --- reading ---------------------------------------------------------------

bool ProblemReader::feed(std::string_view bytes) {
    for (const char ch : bytes) {
        if (stopped_) return false;
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0) {  // a zero byte ends the text
            finish();
            return false;
        }
        if (c == '\n' && lastWasCR_) {  // the LF of a CR LF pair
            lastWasCR_ = false;
            continue;
        }
        lastWasCR_ = (c == '\r');
        if (c == '\r' || c == '\n') {
            endLine();
            continue;
        }
        lineOpen_ = true;
        if (++lineBytes_ > MaxLineBytes) {
            textCut_ = true;
            scan_ = Scan::Bad;
        }
        if (text_.size() < MessageTextLimit) {
            text_.push_back(ch);
        } else {
            textCut_ = true;
        }
        switch (scan_) {
            case Scan::Blanks:
                if (c == ' ') break;
                if (c == '+' || c == '-') {
                    negative_ = (c == '-');
                    scan_ = Scan::Sign;
                    break;
                }
                [[fallthrough]];
            case Scan::Sign:
            case Scan::Digits:
                if (c >= '0' && c <= '9') {
                    value_ = value_ * 10 + (c - '0');
                    // the magnitude may reach 2^31 only for a negative number
                    scan_ = (value_ > Int32Max + (negative_ ? 1 : 0)) ? Scan::Bad : Scan::Digits;
                } else {
                    scan_ = Scan::Bad;
                }
                break;
            case Scan::Bad:
                break;
        }
        // A line that can no longer be an integer fails now; the rest of it
        // only matters for the quoted text, which is already long enough.
        if (scan_ == Scan::Bad && textCut_) failLine();
    }
    return !stopped_;
}

void ProblemReader::failLine() {
    std::string shown = text_;
    if (textCut_) shown += "…";
    result_.ok = false;
    result_.error = NotIntegerMessage(shown);
    failed_ = true;
    stopped_ = true;
}

void ProblemReader::endLine() {
    if (stopped_) return;
    if (scan_ != Scan::Digits) {
        failLine();
        return;
    }
    // Only the codes a saved board can hold are taken: any other integer would
    // put the border or a mark code on a playable point.
    const std::int64_t v = negative_ ? -value_ : value_;
    if (v != Empty && v != Black && v != White) {
        result_.ok = false;
        result_.error = NotStoneCodeMessage(line_ + 1, text_ + (textCut_ ? "…" : ""));
        failed_ = true;
        stopped_ = true;
        return;
    }
    result_.stones[static_cast<std::size_t>(line_)] = static_cast<std::uint8_t>(v);
    ++line_;
    scan_ = Scan::Blanks;
    negative_ = false;
    value_ = 0;
    text_.clear();
    textCut_ = false;
    lineOpen_ = false;
    lineBytes_ = 0;
    if (line_ == ProblemLines) {
        result_.ok = true;
        stopped_ = true;
    }
}

ProblemLoad ProblemReader::finish() {
    if (!stopped_) {
        if (lineOpen_) endLine();  // the last line needs no line end
        if (!stopped_) {
            result_.ok = false;
            result_.error = Tr(IndexOutOfRangeMessage);
            stopped_ = true;
        }
    }
    return result_;
}

ProblemLoad ParseProblemText(std::string_view bytes) {
    ProblemReader reader;
    reader.feed(bytes);
    return reader.finish();
}

int OpenRegularFile(const std::string& path, std::uint64_t* size) {
    // O_NONBLOCK keeps a named pipe from blocking the open; only regular files are read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    if (size) *size = static_cast<std::uint64_t>(st.st_size);
    return fd;
}

ProblemLoad ReadProblemFile(const std::string& path) {
    ProblemLoad failed;
    failed.error = CannotOpenMessage(path);
    const int fd = OpenRegularFile(path, nullptr);
    if (fd < 0) return failed;
    ProblemReader reader;
    char buf[65536];
    bool readError = false;
    while (reader.needsMore()) {
        const ssize_t got = ::read(fd, buf, sizeof buf);
        if (got < 0) {
            if (errno == EINTR) continue;
            readError = true;
            break;
        }
        if (got == 0) break;
        reader.feed(std::string_view(buf, static_cast<std::size_t>(got)));
    }
    ::close(fd);
    if (readError) return failed;
    return reader.finish();
}

// --- writing ---------------------------------------------------------------

std::string ProblemFileText(const Board& board) {
    std::string text;
    text.reserve(ProblemLines * 4);
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            text += std::to_string(static_cast<int>(static_cast<std::int8_t>(board[x][y].Stone)));
            text += "\r\n";
        }
    }
    return text;
}

bool WriteFileReplacing(const std::string& path, std::string_view text, std::string* error) {
    const auto fail = [&](int fd, const std::string& tmp) {
        if (fd >= 0) ::close(fd);
        if (!tmp.empty()) ::unlink(tmp.c_str());
        if (error) *error = CannotCreateMessage(path);
        return false;
    };
    // A target that exists but is not a regular file (a folder, a device) is never replaced.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return fail(-1, "");

    std::string tmp = path + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) return fail(-1, "");
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return fail(fd, tmp);
        }
        done += static_cast<std::size_t>(put);
    }
    if (::fsync(fd) != 0) return fail(fd, tmp);
    // keep the permissions an ordinary new file would get
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, (::stat(path.c_str(), &st) == 0) ? (st.st_mode & 07777) : (0666 & ~mask));
    if (::close(fd) != 0) return fail(-1, tmp);
    if (::rename(tmp.c_str(), path.c_str()) != 0) return fail(-1, tmp);
    return true;
}

bool WriteProblemFile(const std::string& path, const Board& board, std::string* error) {
    return WriteFileReplacing(path, ProblemFileText(board), error);
}

void ApplyProblem(Board& board, const ProblemStones& stones) {
    const std::uint8_t* code = stones.data();
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) board[x][y].Stone = *code++;
    }
}

}  // namespace keldra
