// The board control: the pixels it paints for CellSize 38, and stone entry
// by real mouse clicks in the main window.
#include <string>
#include <vector>

#include <QImage>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "BAN/tban.h"
#include "tests/qt/window_fixture.h"
#include "tests/test_support.h"

// The picture helpers of the engine tests, compiled once into the window tests.
#include "tests/test_support.cpp"

namespace keldra {
namespace {

const QRgb Green = qRgb(0, 128, 0);
const QRgb BlackPx = qRgb(0, 0, 0);
const QRgb WhitePx = qRgb(255, 255, 255);
const QRgb BluePx = qRgb(0, 0, 255);
const QRgb RedPx = qRgb(255, 0, 0);
const QRgb YellowPx = qRgb(255, 255, 0);

std::string name(QRgb c) {
    if (c == Green) return "green";
    if (c == BlackPx) return "black";
    if (c == WhitePx) return "white";
    if (c == BluePx) return "blue";
    if (c == RedPx) return "red";
    if (c == YellowPx) return "yellow";
    return "rgb(" + std::to_string(qRed(c)) + "," + std::to_string(qGreen(c)) + "," + std::to_string(qBlue(c)) + ")";
}

struct Pixel {
    int x, y;
    QRgb colour;
    const char* why;
};

void expectPixels(const QImage& image, const std::vector<Pixel>& pixels) {
    for (const Pixel& p : pixels) {
        EXPECT_EQ(name(image.pixel(p.x, p.y) | 0xFF000000u), name(p.colour))
            << "(" << p.x << ", " << p.y << "): " << p.why;
    }
}

class BoardPaint : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::EnsureQtApp(); }

    void SetUp() override {
        state.CellSize = 38;
        state.BitmapSize = 570;
        ban.resize(570, 570);
    }

    const QImage& painted() {
        ban.Paint();
        return ban.boardBitmap();
    }

    AppState state;
    TBAN ban{state};
};

TEST_F(BoardPaint, ConstructionGivesTheInitialBoardAt550) {
    AppState fresh;
    fresh.BitmapSize = 0;
    fresh.pos.at(4, 4).Stone = Black;
    fresh.rec.MoveCount = 3;
    TBAN control(fresh);
    EXPECT_EQ(fresh.BitmapSize, 550);
    EXPECT_EQ(control.size(), QSize(550, 550));
    EXPECT_EQ(fresh.pos.at(4, 4).Stone, Empty);
    EXPECT_EQ(fresh.pos.at(0, 4).Stone, BorderCode);
    EXPECT_EQ(fresh.rec.MoveCount, 0);
}

// Grid lines run from CellSize to 13 x CellSize with the end pixel left out;
// the frame lies on pixels 0 and BitmapSize - 1.
TEST_F(BoardPaint, EmptyBoardGridFrameAndNumbers) {
    const QImage& img = painted();
    ASSERT_EQ(img.size(), QSize(570, 570));
    std::vector<Pixel> px = {
        {0, 300, BlackPx, "left frame"},      {569, 300, BlackPx, "right frame"},
        {300, 0, BlackPx, "top frame"},       {300, 569, BlackPx, "bottom frame"},
        {1, 300, Green, "inside the frame"},  {568, 300, Green, "inside the frame"},
        {530, 530, Green, "margin beyond the grid"},
        {57, 57, Green, "between lines"},     {37, 38, Green, "left of the first line"},
        {38, 37, Green, "above the first line"},
        {494, 493, BlackPx, "last pixel of the 13th vertical line"},
        {493, 494, BlackPx, "last pixel of the 13th horizontal line"},
        {494, 494, Green, "both lines stop short of their end point"},
        {495, 300, Green, "right of the grid"},
    };
    for (int n = 1; n <= 13; ++n) {
        px.push_back({n * 38, 38, BlackPx, "vertical line start"});
        px.push_back({n * 38, 200, BlackPx, "vertical line"});
        px.push_back({38, n * 38, BlackPx, "horizontal line start"});
        px.push_back({200, n * 38, BlackPx, "horizontal line"});
    }
    expectPixels(img, px);

    // Each number is drawn in black on green with its top-left corner at
    // (n*38-5, 5) along the top and (5, n*38-5) along the left edge.
    const auto inkIn = [&](int left, int top, int width, int height) {
        int ink = 0;
        for (int x = left; x < left + width; ++x)
            for (int y = top; y < top + height; ++y) ink += (img.pixel(x, y) | 0xFF000000u) == BlackPx;
        return ink;
    };
    const int textHeight = QFontMetrics(ban.font()).height();
    for (int n = 1; n <= 13; ++n) {
        EXPECT_GT(inkIn(n * 38 - 5, 5, 16, textHeight), 0) << "top number " << n;
        EXPECT_GT(inkIn(5, n * 38 - 5, 16, textHeight), 0) << "left number " << n;
        EXPECT_EQ(inkIn(n * 38 - 12, 5, 7, textHeight), 0) << "nothing left of top number " << n;
    }
    EXPECT_EQ(inkIn(1, 1, 4, 568), 0) << "no ink between the frame and the left numbers";
}

TEST_F(BoardPaint, StonesMarksRingAndKoDot) {
    state.pos.at(13, 7).Stone = Black;  // on the right edge the grid line
    state.pos.at(13, 13).Stone = White; // stops short of the stone's right half
    state.pos.at(5, 5).Stone = RangeMark;
    state.pos.at(3, 3).KoMark = 1;
    state.pos.LastX = 13;
    state.pos.LastY = 13;
    const QImage& img = painted();
    expectPixels(img, {
        {494, 266, BlackPx, "black stone centre"},
        {504, 256, BlackPx, "inside the black stone"},
        {511, 283, Green, "outside the black stone's circle"},
        {512, 266, BlackPx, "black stone's last column is x + 18"},
        {513, 266, Green, "the box's right edge x + 19 is left out"},
        {504, 504, WhitePx, "white stone keeps its own fill inside the ring"},
        {512, 494, RedPx, "red ring on the last stone's outline"},
        {494, 512, RedPx, "red ring on the last stone's outline"},
        {494, 478, WhitePx, "ring is 3 pixels wide, not filled red"},
        {520, 494, Green, "nothing beyond the ring"},
        {185, 185, BluePx, "range mark"},
        {181, 185, BlackPx, "range mark outline at x - 9"},
        {198, 185, BlackPx, "range mark outline at x + 8"},
        {199, 185, Green, "range mark's right edge left out"},
        {180, 185, Green, "left of the range mark"},
        {114, 114, YellowPx, "ko dot centre"},
        {110, 110, YellowPx, "ko dot"},
        {124, 124, Green, "outside the ko dot"},
    });
    EXPECT_EQ(ban.grab().toImage().convertToFormat(QImage::Format_RGB32), img)
        << "the control shows exactly the bitmap";
}

// No ring unless the last-move point still holds a stone; the bitmap follows
// a change of BitmapSize.
TEST_F(BoardPaint, NoRingOnAnEmptyLastPointAndBitmapResizes) {
    state.pos.LastX = 4;
    state.pos.LastY = 4;
    const QImage& img = painted();
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y) ASSERT_NE(img.pixel(x, y) | 0xFF000000u, RedPx) << x << "," << y;

    state.CellSize = 30;
    state.BitmapSize = 450;
    EXPECT_EQ(painted().size(), QSize(450, 450));
    EXPECT_EQ(name(ban.boardBitmap().pixel(449, 200)), "black");
    EXPECT_EQ(name(ban.boardBitmap().pixel(390, 389)), "black");
}

using BoardClicks = test::WindowTest;

// Real clicks reach the input-mode entry with the control's own pixel
// coordinates and buttons; the board is repainted before ONMOUSEDOWN fires.
TEST_F(BoardClicks, InputModeEntryByMouse) {
    std::vector<std::string> seenBySignal;
    QObject::connect(form.BAN1, &TBAN::ONMOUSEDOWN, &form, [&](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        seenBySignal.push_back(std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                               test::PictureOf(state.pos.board).substr(0, 13));
    });
    clickPoint(2, 1);                                                        // black
    QTest::mouseClick(form.BAN1, Qt::RightButton, {}, QPoint(3 * 38 + 18, 19));  // white at (3, 1)
    QTest::mouseClick(form.BAN1, Qt::MiddleButton, {}, QPoint(5 * 38, 38));      // nothing placed
    clickPoint(13, 13, Qt::RightButton);
    clickPoint(13, 13);  // any button on a stone erases it
    QTest::mouseClick(form.BAN1, Qt::LeftButton, {}, QPoint(18, 100));  // left of the grid

    EXPECT_EQ(test::PictureOf(state.pos.board).substr(0, 14), ".XO..........\n");
    EXPECT_EQ(state.pos.at(13, 13).Stone, Empty);
    ASSERT_EQ(state.rec.MoveCount, 3);
    EXPECT_EQ(state.rec.record(1), (MoveRecord{2, 1, Black}));
    EXPECT_EQ(state.rec.record(2), (MoveRecord{3, 1, White}));
    EXPECT_EQ(state.rec.record(3), (MoveRecord{13, 13, White}));
    EXPECT_EQ(state.pos.LastX, 13);
    ASSERT_EQ(seenBySignal.size(), 6u);
    EXPECT_EQ(seenBySignal[0], std::to_string(Qt::LeftButton) + " 76,38 .X...........");
    EXPECT_EQ(seenBySignal[1], std::to_string(Qt::RightButton) + " 132,19 .XO..........");

    // What the screen shows: the black stone at (2, 1) and a white one at (3, 1).
    const QImage shown = form.BAN1->grab().toImage();
    EXPECT_EQ(name(shown.pixel(76 + 5, 38 + 5) | 0xFF000000u), "black");
    EXPECT_EQ(name(shown.pixel(114 + 5, 38 + 5) | 0xFF000000u), "white");
}

// While a search runs the board takes no clicks and fires nothing.
TEST_F(BoardClicks, BusyBoardIgnoresClicks) {
    QSignalSpy fired(form.BAN1, &TBAN::ONMOUSEDOWN);
    form.setBusy(true);
    clickPoint(4, 4);
    EXPECT_EQ(state.pos.at(4, 4).Stone, Empty);
    EXPECT_EQ(fired.count(), 0);
    form.setBusy(false);
    clickPoint(4, 4);
    EXPECT_EQ(state.pos.at(4, 4).Stone, Black);
    EXPECT_EQ(fired.count(), 1);
}

}  // namespace
}  // namespace keldra
