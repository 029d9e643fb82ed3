// Golden outputs: keldra-cli's answers over thousands of generated corner
// positions and the bundled problems, recorded once from a reviewed build.
// Any change to a candidate list, a search value, a chosen reply, a recorded
// line or the game record shows up here.
//
// To record anew (only when a change of behaviour is intended):
//   python3 tests/golden/make_golden.py build/cli/keldra-cli
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

#include "cli/cli.h"
#include "test_support.h"

namespace keldra {
namespace {

namespace fs = std::filesystem;

struct GoldenCase {
    std::string command;  // the arguments, FILE standing for the position's file
    std::string position; // 169 digits in file order
    std::string output;
};

// --- running a case ----------------------------------------------------------

std::string writePosition(const std::string& digits, const std::string& dir, int n) {
    std::string text;
    for (const char c : digits) {
        text += c;
        text += "\r\n";
    }
    const std::string path = dir + "/golden-" + std::to_string(n) + ".go";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string run(const std::string& command, const std::string& file) {
    std::vector<std::string> words;
    std::istringstream in(command);
    for (std::string w; in >> w;) words.push_back(w == "FILE" ? file : w);
    const std::vector<std::string_view> args(words.begin(), words.end());
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return out.str() + "status " + std::to_string(status) + "\n" + (status == 1 ? err.str() : "");
}

std::vector<GoldenCase> readGolden(const std::string& path) {
    std::vector<GoldenCase> cases;
    std::ifstream in(path);
    std::string line;
    GoldenCase c;
    while (std::getline(in, line)) {
        if (line.rfind("@case ", 0) == 0) {
            c = GoldenCase{};
            c.command = line.substr(6);
        } else if (line.rfind("@position ", 0) == 0) {
            c.position = line.substr(10);
        } else if (line == "@end") {
            cases.push_back(c);
        } else {
            c.output += line + "\n";
        }
    }
    return cases;
}

std::string goldenPath() { return test::SourcePath("tests/data/golden.txt"); }

// A folder of this process's own: other test processes may run at the same time.
std::string scratchDir() {
    std::string dir = ::testing::TempDir() + "keldra-golden-XXXXXX";
    if (::mkdtemp(dir.data()) == nullptr) throw std::runtime_error("no temporary folder");
    return dir;
}

// KELDRA_GOLDEN_STRIDE=k compares every k-th case only (the sanitizer run).
std::size_t stride() {
    const char* env = std::getenv("KELDRA_GOLDEN_STRIDE");
    const long k = env ? std::atol(env) : 1;
    return k > 0 ? static_cast<std::size_t>(k) : 1;
}

TEST(Golden, CliOutputsMatchRecordedOnes) {
    const std::vector<GoldenCase> cases = readGolden(goldenPath());
    ASSERT_GT(cases.size(), 1000u) << "golden data missing: " << goldenPath();
    const std::string dir = scratchDir();
    int failures = 0;
    for (std::size_t i = 0; i < cases.size(); i += stride()) {
        const GoldenCase& c = cases[i];
        const std::string file = writePosition(c.position, dir, static_cast<int>(i % 8));
        const std::string got = run(c.command, file);
        if (got != c.output && ++failures <= 5) {
            ADD_FAILURE() << "case " << i << ": " << c.command << "\nposition " << c.position << "\nexpected:\n"
                          << c.output << "got:\n"
                          << got;
        }
    }
    EXPECT_EQ(failures, 0) << "of " << cases.size() << " cases";
    fs::remove_all(dir);
}

}  // namespace
}  // namespace keldra
