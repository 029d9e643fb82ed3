// keldra-cli check: a composed book whose answers are right, wrong, short of
// the prover's and by ko, against the verdicts a Go player knows.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/cli.h"
#include "test_support.h"

namespace keldra {
namespace {

// Straight three (only the middle kills), a two-point eye (either point
// kills), and a ko for the second eye.
#define STRAIGHT_THREE "SZ[13]AW[da][ab][bb][cb][db]AB[ea][eb][ac][bc][cc][dc][ec]"
#define TWO_POINT_EYE "SZ[13]AW[ca][ab][bb][cb]AB[da][db][ac][bc][cc][dc]"
#define KO_EYE "SZ[13]AW[ba][da][ab][bb][cb]AB[ea][db][eb][ac][bc][cc][dc]"

TEST(CheckCommand, BookAnswersAgainstTheProver) {
    test::ScratchFolder f;
    f.put("book.sgf",
          "(;" STRAIGHT_THREE "(;B[ba]C[正解])(;B[aa]C[失敗]))\n"
          "(;" STRAIGHT_THREE "(;B[aa]C[正解])(;B[ba]C[失敗]))\n"
          "(;" TWO_POINT_EYE "(;B[aa]C[Correct]))\n"
          "(;" KO_EYE "(;B[ca]C[RIGHT]))\n"
          "(;" STRAIGHT_THREE ";B[ba])\n");
    f.put("more.sgf", "(;" TWO_POINT_EYE "(;B[aa]C[正解])(;B[ba]TE[1]))");
    f.put("broken.sgf", "(;AB[aa]");
    f.put("far.sgf", "(;" STRAIGHT_THREE "(;B[mm]C[正解]))");
    f.put("notes.txt", "not a problem");
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"check", f.dir, "--seconds", "5"}, out, err), 0) << err.str();
    const std::string d = f.dir + "/";
    EXPECT_EQ(out.str(),
              d + "book.sgf (1/5): agree; book 2,1; kill 2,1; ko none\n" +
              d + "book.sgf (2/5): book move fails; book 1,1; kill 2,1; ko none; refuted 1,1>2,1\n" +
              d + "book.sgf (3/5): other moves also kill; book 1,1; kill 1,1 2,1; ko none\n" +
              d + "book.sgf (4/5): agree; book 3,1; kill 3,1; ko none\n" +  // a ko white can never win

              d + "broken.sgf (1/1): not opened; SGF の書式が正しくありません（1 行目）\n" +
              d + "far.sgf (1/1): unknown; book 13,13; kill 2,1; ko none; not proved 13,13\n" +
              d + "more.sgf (1/1): agree; book 1,1 2,1; kill 1,1 2,1; ko none\n"
              "summary: 8 problems; agree 3; book move fails 1; other moves also kill 1; unknown 1; no marked answer 1; not opened 1\n");
    // the fifth problem marks nothing, but its collection does: no answer to check
    std::ostringstream usage;
    EXPECT_EQ(RunCli({"check", f.dir, "--seconds", "0"}, out, usage), 2);
    EXPECT_EQ(RunCli({"check", f.dir + "/missing"}, out, err), 1);
}

}  // namespace
}  // namespace keldra
