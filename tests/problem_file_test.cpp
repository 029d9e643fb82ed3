// The problem-file codec: writing, reading with every line-end form, the
// integer rule, the stone codes, and the error texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "BAN/problem_file.h"
#include "test_support.h"

namespace keldra {
namespace {

namespace fs = std::filesystem;

std::string lines(const std::vector<std::string>& values, std::string_view end) {
    std::string out;
    for (const auto& v : values) {
        out += v;
        out += end;
    }
    return out;
}

std::vector<std::string> zeros(int n = ProblemLines) { return std::vector<std::string>(static_cast<std::size_t>(n), "0"); }


std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ProblemFile, WritesColumnsTopToBottomWithCrLf) {
    Board b{};
    InitBoard(b);
    b[2][1].Stone = Black;
    b[13][13].Stone = White;
    b[1][2].Stone = BorderCode;  // written as a signed byte
    const std::string text = ProblemFileText(b);
    std::vector<std::string> expected = zeros();
    expected[13] = "1";   // (2, 1) is line 14
    expected[168] = "2";  // (13, 13) is line 169
    expected[1] = "-1";   // (1, 2) is line 2
    EXPECT_EQ(text, lines(expected, "\r\n"));
}

TEST(ProblemFile, RoundTripThroughFile) {
    test::ScratchFolder dir;
    Board b = test::BoardFromPicture(R"(
        . O X . . . . . . . . . .
        O O X . . . . . . . . . .
        X X . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . O .
        . . . . . . . . . . . . X)");
    std::string error;
    ASSERT_TRUE(WriteProblemFile(dir.path("p.go"), b, &error)) << error;
    const ProblemLoad load = ReadProblemFile(dir.path("p.go"));
    ASSERT_TRUE(load.ok) << load.error;
    Board back{};
    InitBoard(back);
    ApplyProblem(back, load.stones);
    EXPECT_EQ(test::PictureOf(back), test::PictureOf(b));
}

TEST(ProblemFile, ReadsEveryLineEndAndStopsAtZeroByteAndLine169) {
    std::vector<std::string> v = zeros();
    v[0] = "2";
    v[168] = "1";
    const std::string crlf = lines(v, "\r\n");
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"CR LF", crlf},
        {"LF", lines(v, "\n")},
        {"CR", lines(v, "\r")},
        {"last line without end", crlf.substr(0, crlf.size() - 2)},
        {"lines after 169 ignored", crlf + "junk\r\n7\r\n"},
        {"zero byte ends the text", crlf + std::string("\0garbage", 8)},
        {"mixed ends", lines(std::vector<std::string>(v.begin(), v.begin() + 100), "\n") +
                           lines(std::vector<std::string>(v.begin() + 100, v.end()), "\r")},
    };
    for (const auto& c : cases) {
        const ProblemLoad load = ParseProblemText(c.text);
        ASSERT_TRUE(load.ok) << c.name << ": " << load.error;
        EXPECT_EQ(load.stones[0], White) << c.name;
        EXPECT_EQ(load.stones[168], Black) << c.name;
    }
    // fed a byte at a time, the CR LF split across feeds still counts once
    ProblemReader reader;
    for (const char ch : crlf) reader.feed(std::string_view(&ch, 1));
    EXPECT_TRUE(reader.finish().ok);
}

TEST(ProblemFile, IntegerRuleAndStoneCodes) {
    // refused: the message then names the line (6) and its text
    enum Outcome { Loads, NotInteger, NotStone };
    const struct {
        const char* line;
        Outcome outcome;
        int stored;
    } cases[] = {
        {"0", Loads, 0},        {"2", Loads, 2},        {"  2", Loads, 2},     {"+1", Loads, 1},
        {"-0", Loads, 0},       {"001", Loads, 1},
        {"-1", NotStone, 0},    {"3", NotStone, 0},     {"5", NotStone, 0},    {"7", NotStone, 0},
        {"007", NotStone, 0},   {"255", NotStone, 0},   {"256", NotStone, 0},  {"257", NotStone, 0},
        {"258", NotStone, 0},   {" -2", NotStone, 0},   {"-2147483648", NotStone, 0},
        {"2147483647", NotStone, 0},
        {"2 ", NotInteger, 0},  {"", NotInteger, 0},    {"x", NotInteger, 0},  {"2147483648", NotInteger, 0},
        {"-2147483649", NotInteger, 0}, {"- 1", NotInteger, 0}, {"+", NotInteger, 0}, {"1.0", NotInteger, 0},
        {"\t1", NotInteger, 0},
    };
    for (const auto& c : cases) {
        std::vector<std::string> v = zeros();
        v[0] = "1";
        v[5] = c.line;
        v[6] = "2";
        const ProblemLoad load = ParseProblemText(lines(v, "\r\n"));
        EXPECT_EQ(load.ok, c.outcome == Loads) << "'" << c.line << "'";
        if (c.outcome == Loads) {
            EXPECT_EQ(load.stones[5], c.stored) << "'" << c.line << "'";
            continue;
        }
        const std::string expected = c.outcome == NotStone
                                         ? "6 行目の '" + std::string(c.line) + "' は石の値 (0, 1, 2) ではありません"
                                         : "'" + std::string(c.line) + "' は整数ではありません";
        EXPECT_EQ(load.error, expected) << "'" << c.line << "'";
        // the board as after any failed load: the lines before it read, the rest empty
        EXPECT_EQ(load.stones[0], Black) << "'" << c.line << "'";
        EXPECT_EQ(load.stones[5], Empty) << "'" << c.line << "'";
        EXPECT_EQ(load.stones[6], Empty) << "'" << c.line << "'";
    }
    // on the last line too, and before a short end
    std::vector<std::string> last = zeros();
    last[168] = "3";
    EXPECT_EQ(ParseProblemText(lines(last, "\n")).error, "169 行目の '3' は石の値 (0, 1, 2) ではありません");
    EXPECT_EQ(ParseProblemText("0\n9\n").error, "2 行目の '9' は石の値 (0, 1, 2) ではありません");
}

TEST(ProblemFile, ShortFileAndFirstBadLineWin) {
    EXPECT_EQ(ParseProblemText(lines(zeros(168), "\r\n")).error, "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
    EXPECT_EQ(ParseProblemText("").error, "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
    // a bad line before the end is reported, not the missing lines
    std::vector<std::string> v = zeros(20);
    v[3] = "abc";
    EXPECT_EQ(ParseProblemText(lines(v, "\n")).error, "'abc' は整数ではありません");
    // a blank line among the first 169
    std::vector<std::string> w = zeros();
    w[100] = "";
    EXPECT_EQ(ParseProblemText(lines(w, "\r\n")).error, "'' は整数ではありません");
}

TEST(ProblemFile, LongBadLineIsQuotedShort) {
    std::string text(10'000'000, 'z');
    const ProblemLoad load = ParseProblemText(text);
    ASSERT_FALSE(load.ok);
    EXPECT_LT(load.error.size(), 200u);
    EXPECT_NE(load.error.find("zzzz…' は整数ではありません"), std::string::npos);

    // blanks before the digits are allowed, but a line over 1 MiB is refused
    // without reading to its end
    const ProblemLoad blanks = ParseProblemText(std::string(2u << 20, ' ') + "1\r\n");
    EXPECT_FALSE(blanks.ok);
    EXPECT_NE(blanks.error.find("…' は整数ではありません"), std::string::npos);
}

TEST(ProblemFile, OpenFailures) {
    test::ScratchFolder dir;
    const std::string missing = dir.path("missing.go");
    EXPECT_EQ(ReadProblemFile(missing).error, "ﾌｧｲﾙ " + missing + " は開けません");
    const std::string folder = dir.path("folder.go");
    fs::create_directory(folder);
    EXPECT_EQ(ReadProblemFile(folder).error, "ﾌｧｲﾙ " + folder + " は開けません");
    const std::string fifo = dir.path("pipe.go");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadProblemFile(fifo).error, "ﾌｧｲﾙ " + fifo + " は開けません");
}

TEST(ProblemFile, FailedSaveKeepsExistingFile) {
    test::ScratchFolder dir;
    Board b{};
    InitBoard(b);
    b[1][1].Stone = Black;
    std::string error;

    // onto a folder
    const std::string folder = dir.path("folder.go");
    fs::create_directory(folder);
    EXPECT_FALSE(WriteProblemFile(folder, b, &error));
    EXPECT_EQ(error, "ﾌｧｲﾙ " + folder + " を作成できません");
    EXPECT_TRUE(fs::is_directory(folder));

    // into a folder that does not exist
    const std::string nowhere = dir.path("no/such/p.go");
    EXPECT_FALSE(WriteProblemFile(nowhere, b, &error));
    EXPECT_EQ(error, "ﾌｧｲﾙ " + nowhere + " を作成できません");

    // into a read-only folder (root ignores permissions, so only check as a user)
    if (::geteuid() != 0) {
        const std::string ro = dir.path("ro");
        fs::create_directory(ro);
        std::ofstream(ro + "/old.go") << "keep";
        fs::permissions(ro, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(WriteProblemFile(ro + "/old.go", b, &error));
        fs::permissions(ro, fs::perms::owner_all);
        EXPECT_EQ(slurp(ro + "/old.go"), "keep");
    }

    // replacing a good file works and leaves no temporary file behind
    const std::string good = dir.path("good.go");
    std::ofstream(good) << "old";
    ASSERT_TRUE(WriteProblemFile(good, b, &error));
    EXPECT_EQ(slurp(good), ProblemFileText(b));
    for (const auto& e : fs::directory_iterator(fs::path(good).parent_path())) {
        EXPECT_EQ(e.path().filename().string().find("good.go."), std::string::npos) << e.path();
    }
}

}  // namespace
}  // namespace keldra
