// Problem files from anywhere: huge, endless, binary, or not files at all,
// and saves that cannot complete. Each ends in a clean load or the proper
// message, reads only what it needs, and never harms an existing file.
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "BAN/problem_file.h"
#include "test_support.h"

namespace keldra {
namespace {

namespace fs = std::filesystem;

constexpr off_t OneGigabyte = off_t{1} << 30;


// Writes `head` and extends the file to `size` bytes; the rest reads as zero
// bytes and takes no disk space.
void sparseFile(const std::string& path, const std::string& head, off_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, head.data(), head.size()), static_cast<ssize_t>(head.size()));
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
}

std::string validText() {
    std::string t;
    for (int i = 0; i < ProblemLines; ++i) {
        t += (i == 0 ? "2" : "0");
        t += "\r\n";
    }
    return t;
}

TEST(HostileFiles, HugeAndStrangeFilesEndCleanly) {
    test::ScratchFolder s;
    // a valid problem at the head of a 1 GB file: the rest is never read
    sparseFile(s.path("big-valid.go"), validText(), OneGigabyte);
    const ProblemLoad big = ReadProblemFile(s.path("big-valid.go"));
    EXPECT_TRUE(big.ok) << big.error;
    EXPECT_EQ(big.stones[0], 2);

    // a 1 GB file of zero bytes: the text ends at once
    sparseFile(s.path("zeros.go"), "", OneGigabyte);
    EXPECT_EQ(ReadProblemFile(s.path("zeros.go")).error, IndexOutOfRangeMessage);

    // one endless line of blanks, then holes: refused after 1 MiB
    sparseFile(s.path("endless.go"), std::string(3u << 20, ' '), OneGigabyte);
    const ProblemLoad endless = ReadProblemFile(s.path("endless.go"));
    EXPECT_FALSE(endless.ok);
    EXPECT_NE(endless.error.find("は整数ではありません"), std::string::npos);
    EXPECT_LT(endless.error.size(), 200u);

    // binary garbage
    std::mt19937 rng(3);
    std::string garbage(1 << 16, '\0');
    for (char& c : garbage) c = static_cast<char>(rng() % 255 + 1);
    std::ofstream(s.path("garbage.go"), std::ios::binary) << garbage;
    const ProblemLoad g = ReadProblemFile(s.path("garbage.go"));
    EXPECT_FALSE(g.ok);
    EXPECT_LT(g.error.size(), 200u);

    // a file without any line end that holds one number: only one line
    std::ofstream(s.path("one.go"), std::ios::binary) << "1";
    EXPECT_EQ(ReadProblemFile(s.path("one.go")).error, IndexOutOfRangeMessage);
}

// Runs `body` in a child process and returns its exit status.
template <typename Body>
int inChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(HostileFiles, FailedSavesLeaveTheOldFile) {
    test::ScratchFolder s;
    Board board{};
    InitBoard(board);
    board[3][3].Stone = Black;
    const std::string target = s.path("old.go");
    std::ofstream(target, std::ios::binary) << "old contents";

    // a full disk: the file size limit stops the write half way
    const int full = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        const bool ok = WriteProblemFile(target, board, &error);
        return (!ok && error == CannotCreateMessage(target)) ? 0 : 1;
    });
    EXPECT_EQ(full, 0);
    EXPECT_EQ(slurp(target), "old contents");

    // a read-only folder, as an ordinary user (root would ignore the mode)
    ::chmod(s.dir.c_str(), 0777);
    ::chmod(target.c_str(), 0666);
    const std::string ro = s.path("ro");
    fs::create_directory(ro);
    std::ofstream(ro + "/kept.go", std::ios::binary) << "kept";
    ::chmod(ro.c_str(), 0555);
    const int readOnly = inChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 2;
        std::string error;
        const bool ok = WriteProblemFile(ro + "/kept.go", board, &error);
        return (!ok && error == CannotCreateMessage(ro + "/kept.go")) ? 0 : 1;
    });
    EXPECT_EQ(readOnly, 0);
    EXPECT_EQ(slurp(ro + "/kept.go"), "kept");
    ::chmod(ro.c_str(), 0755);

    // nothing but the old file and the folder is left beside it
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(s.dir)) ++entries;
    EXPECT_EQ(entries, 2);
}

}  // namespace
}  // namespace keldra
