// The board control: the pixels it paints for CellSize 38, and stone entry
// by real mouse clicks in the main window.
#include <string>
#include <vector>

#include <QSignalSpy>

#include "BAN/tban.h"
#include "tests/qt/window_fixture.h"
#include "tests/test_support.h"

// The picture helpers of the engine tests, compiled once into the window tests.
#include "tests/test_support.cpp"

namespace keldra {
namespace {

std::string colourAt(const QImage& image, int x, int y) {
    const QRgb c = image.pixel(x, y);
    const std::pair<QRgb, const char*> names[] = {{qRgb(0, 128, 0), "green"},  {qRgb(0, 0, 0), "black"},
                                                  {qRgb(255, 255, 255), "white"}, {qRgb(0, 0, 255), "blue"},
                                                  {qRgb(255, 0, 0), "red"},    {qRgb(255, 255, 0), "yellow"}};
    for (const auto& [rgb, name] : names) {
        if (qRed(c) == qRed(rgb) && qGreen(c) == qGreen(rgb) && qBlue(c) == qBlue(rgb)) return name;
    }
    return "other";
}

struct Pixel {
    int x, y;
    const char* colour;
    const char* why;
};

void expectPixels(const QImage& image, const std::vector<Pixel>& pixels) {
    for (const Pixel& p : pixels) {
        EXPECT_EQ(colourAt(image, p.x, p.y), p.colour) << "(" << p.x << ", " << p.y << "): " << p.why;
    }
}

class BoardPaint : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::EnsureQtApp(); }
    void SetUp() override {
        ban.SetCellSize(38, 570);
        ban.resize(570, 570);
    }
    const QImage& painted() {
        ban.Paint();
        return ban.boardBitmap();
    }

    Session state;
    TBAN ban{state.game.pos};
};

// Grid lines run from CellSize to 13 x CellSize with the end pixel left out;
// the frame lies on pixels 0 and BitmapSize - 1; numbers are black on green.
TEST_F(BoardPaint, EmptyBoardGridFrameAndNumbers) {
    const QImage& img = painted();
    ASSERT_EQ(img.size(), QSize(570, 570));
    std::vector<Pixel> px = {
        {0, 300, "black", "left frame"},  {569, 300, "black", "right frame"}, {300, 0, "black", "top frame"},
        {300, 569, "black", "bottom frame"}, {1, 300, "green", "inside the frame"}, {568, 300, "green", "inside"},
        {57, 57, "green", "between lines"}, {37, 38, "green", "before the first line"},
        {494, 493, "black", "last pixel of the 13th vertical line"},
        {493, 494, "black", "last pixel of the 13th horizontal line"},
        {494, 494, "green", "both lines stop short of their end point"}, {495, 300, "green", "right of the grid"},
    };
    for (int n = 1; n <= 13; ++n) {
        px.push_back({n * 38, 38, "black", "vertical line start"});
        px.push_back({38, n * 38, "black", "horizontal line start"});
    }
    expectPixels(img, px);

    const auto inkIn = [&](int left, int top, int width) {
        int ink = 0;
        for (int x = left; x < left + width; ++x)
            for (int y = top; y < top + 13; ++y) ink += colourAt(img, x, y) == "black";
        return ink;
    };
    for (int n = 1; n <= 13; ++n) {
        EXPECT_GT(inkIn(n * 38 - 5, 5, 16), 0) << "top number " << n << " at (n*38-5, 5)";
        EXPECT_GT(inkIn(5, n * 38 - 5, 16), 0) << "left number " << n << " at (5, n*38-5)";
        EXPECT_EQ(inkIn(n * 38 - 12, 5, 7), 0) << "nothing left of top number " << n;
    }
}

TEST_F(BoardPaint, StonesMarksRingAndKoDot) {
    state.game.pos.at(13, 7).Stone = Black;   // on the right edge the grid line
    state.game.pos.at(13, 13).Stone = White;  // stops short of the stone's right half
    state.game.pos.at(5, 5).Stone = RangeMark;
    state.game.pos.at(3, 3).KoMark = 1;
    state.game.pos.LastX = 13;
    state.game.pos.LastY = 13;
    const QImage& img = painted();
    expectPixels(img, {
        {494, 266, "black", "black stone centre"},      {504, 256, "black", "inside the black stone"},
        {511, 283, "green", "outside the circle"},      {512, 266, "black", "last column is x + 18"},
        {513, 266, "green", "the box's right edge x + 19 is left out"},
        {504, 504, "white", "white stone keeps its fill inside the ring"},
        {512, 494, "red", "ring on the last stone"},    {494, 512, "red", "ring on the last stone"},
        {494, 478, "white", "the ring is 3 pixels wide"}, {520, 494, "green", "nothing beyond the ring"},
        {185, 185, "blue", "range mark"},               {181, 185, "black", "range mark outline at x - 9"},
        {198, 185, "black", "range mark outline at x + 8"}, {199, 185, "green", "right edge left out"},
        {114, 114, "yellow", "ko dot centre"},          {124, 124, "green", "outside the ko dot"},
    });
    EXPECT_EQ(ban.grab().toImage().convertToFormat(QImage::Format_RGB32), img) << "the control shows the bitmap";

    // No ring once the last-move point is empty; the bitmap follows BitmapSize.
    state.game.pos.at(13, 13).Stone = Empty;
    ban.SetCellSize(30, 450);
    const QImage& smaller = painted();
    EXPECT_EQ(smaller.size(), QSize(450, 450));
    EXPECT_EQ(colourAt(smaller, 449, 200), "black");
    for (int x = 0; x < 450; ++x)
        for (int y = 0; y < 450; ++y) ASSERT_NE(colourAt(smaller, x, y), "red") << x << "," << y;
}

using BoardClicks = test::WindowTest;

// Real clicks reach stone entry with the control's own pixel coordinates and
// buttons, and the board is repainted before ONMOUSEDOWN fires.
TEST_F(BoardClicks, InputModeEntryByMouse) {
    std::vector<std::string> seen;
    QObject::connect(form.BAN1, &TBAN::ONMOUSEDOWN, &form, [&](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        seen.push_back(std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                       test::PictureOf(state.game.pos.board).substr(0, 13));
    });
    clickPoint(2, 1);                                                             // black
    QTest::mouseClick(form.BAN1, Qt::RightButton, {}, QPoint(3 * 38 + 18, 19));  // white at (3, 1)
    QTest::mouseClick(form.BAN1, Qt::MiddleButton, {}, QPoint(5 * 38, 38));      // nothing placed
    clickPoint(13, 13, Qt::RightButton);
    clickPoint(13, 13);                                                 // any button on a stone erases it
    QTest::mouseClick(form.BAN1, Qt::LeftButton, {}, QPoint(18, 100));  // left of the grid

    EXPECT_EQ(test::PictureOf(state.game.pos.board).substr(0, 14), ".XO..........\n");
    EXPECT_EQ(state.game.pos.at(13, 13).Stone, Empty);
    ASSERT_EQ(state.game.rec.MoveCount, 3);
    EXPECT_EQ(state.game.rec.record(2), (MoveRecord{3, 1, White}));
    EXPECT_EQ(state.game.rec.record(3), (MoveRecord{13, 13, White}));
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0], std::to_string(Qt::LeftButton) + " 76,38 .X...........");
    EXPECT_EQ(seen[1], std::to_string(Qt::RightButton) + " 132,19 .XO..........");
    const QImage shown = form.BAN1->grab().toImage();
    EXPECT_EQ(colourAt(shown, 81, 43), "black");
    EXPECT_EQ(colourAt(shown, 119, 43), "white");

    // While a search runs the board takes no clicks and fires nothing.
    QSignalSpy fired(form.BAN1, &TBAN::ONMOUSEDOWN);
    form.setBusy(true);
    clickPoint(4, 4);
    form.setBusy(false);
    EXPECT_EQ(state.game.pos.at(4, 4).Stone, Empty);
    EXPECT_EQ(fired.count(), 0);
}

}  // namespace
}  // namespace keldra
