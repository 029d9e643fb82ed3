// The main window's layout: the column formulas for the screen sizes the
// program is made for, and the real window placing its controls there.
#include <string>
#include <vector>

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

#include "QELMA/layout.h"
#include "tests/qt/window_fixture.h"

namespace keldra {
namespace {

using Placed = std::vector<std::pair<const char*, Bounds>>;

Placed columnOf(const MainLayout& l) {
    return {{"Panel1", l.panel1},   {"BAN1", l.ban1},         {"Label2", l.label2},     {"Button2", l.button2},
            {"Button4", l.button4}, {"Button3", l.button3},   {"Button1", l.button1},   {"Button5", l.button5},
            {"Button6", l.button6}, {"Edit1", l.edit1},       {"Edit6", l.edit6},       {"TrackBar1", l.trackBar1},
            {"Label1", l.label1},   {"Button7", l.button7},   {"Button12", l.button12}, {"Shape1", l.shape1},
            {"Shape2", l.shape2},   {"Label3", l.label3},     {"Label4", l.label4},     {"Memo1", l.memo1}};
}

// One line per control, "name left,top widthxheight", so a failure shows
// the whole column.
std::string text(const Placed& placed) {
    std::string out;
    for (const auto& [name, b] : placed) {
        out += std::string(name) + " " + std::to_string(b.left) + "," + std::to_string(b.top) + " " +
               std::to_string(b.width) + "x" + std::to_string(b.height) + "\n";
    }
    return out;
}

TEST(Layout, Screen800x600) {
    const MainLayout l = LayOutMainWindow(800, 600);
    EXPECT_EQ(l.cellSize, 38);
    EXPECT_EQ(l.bitmapSize, 570);
    EXPECT_EQ(text(columnOf(l)), R"(Panel1 0,0 540x540
BAN1 1,1 570x570
Label2 559,0 114x13
Button2 559,32 38x25
Button4 616,32 38x25
Button3 559,76 38x25
Button1 616,76 38x25
Button5 559,120 38x25
Button6 616,120 76x25
Edit1 559,164 76x23
Edit6 559,192 76x21
TrackBar1 559,232 114x20
Label1 559,252 114x13
Button7 550,284 38x25
Button12 607,284 38x25
Shape1 559,328 15x15
Shape2 559,362 15x15
Label3 578,329 95x19
Label4 578,363 95x19
Memo1 578,401 150x120
)");
}

// At 640x480 the notice is 90 pixels wide and wraps onto a second line,
// which moves the whole column down by that line; 1024x768 scales up.
TEST(Layout, Screens640x480And1024x768) {
    OwnSizes twoLines;
    twoLines.label2 = 26;
    const MainLayout small = LayOutMainWindow(640, 480, twoLines);
    EXPECT_EQ(NoticeWidth(480), 90);
    EXPECT_EQ(small.cellSize, 30);
    EXPECT_EQ(small.bitmapSize, 450);
    EXPECT_EQ(text({{"Label2", small.label2}, {"Button4", small.button4}, {"Button12", small.button12},
                    {"Memo1", small.memo1}}),
              "Label2 447,0 90x26\nButton4 492,41 30x25\nButton12 487,273 30x25\nMemo1 462,378 150x39\n");
    EXPECT_EQ(small.memo1.top - LayOutMainWindow(640, 480).memo1.top, 13);

    const MainLayout large = LayOutMainWindow(1024, 768);
    EXPECT_EQ(large.cellSize, 49);
    EXPECT_EQ(large.bitmapSize, 735);
    EXPECT_EQ(text({{"Panel1", large.panel1}, {"Button6", large.button6}, {"Button7", large.button7},
                    {"Memo1", large.memo1}}),
              "Panel1 0,0 691x691\nButton6 787,135 96x25\nButton7 701,314 48x25\nMemo1 739,446 150x221\n");
}

// The panel is 9/10 of the height, truncated; the cell is the panel width
// divided by 14, and an exact multiple gives exactly the quotient.
TEST(Layout, PanelAndCellTruncation) {
    const struct { int height, panel, cell; } rows[] = {{607, 546, 39}, {606, 545, 38}, {1080, 972, 69}};
    for (const auto& r : rows) {
        const MainLayout l = LayOutMainWindow(1920, r.height);
        EXPECT_EQ(l.panel1.width, r.panel) << "height " << r.height;
        EXPECT_EQ(l.cellSize, r.cell) << "height " << r.height;
    }
}

using WindowLayout = test::WindowTest;

// The window applies the layout, measuring the notice and the legends itself,
// and its font names resolve to the installed Japanese faces.
TEST_F(WindowLayout, ControlsSitWhereTheLayoutPutsThemInTheirFonts) {
    const MainLayout& l = form.mainLayout();
    EXPECT_EQ(state.window.CellSize, 38);
    EXPECT_EQ(state.window.BitmapSize, 570);
    EXPECT_EQ(form.BAN1->cellSize(), 38) << "the board control paints with the layout's cell";
    EXPECT_EQ(form.BAN1->bitmapSize(), 570);
    EXPECT_EQ(l.label2.height, 13) << "the notice fits one line of 114 pixels";
    EXPECT_EQ(l.label3.width, form.Label3->fontMetrics().horizontalAdvance(form.Label3->text()));
    Placed shown;
    const QWidget* widgets[] = {form.Panel1, form.BAN1,    form.Label2, form.Button2,   form.Button4,
                                form.Button3, form.Button1, form.Button5, form.Button6, form.Edit1,
                                form.Edit6,  form.TrackBar1, form.Label1, form.Button7, form.Button12,
                                form.Shape1, form.Shape2,  form.Label3, form.Label4,    form.Memo1};
    const Placed expected = columnOf(l);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const QRect g = widgets[i]->geometry();
        shown.push_back({expected[i].first, {g.x(), g.y(), g.width(), g.height()}});
    }
    EXPECT_EQ(text(shown), text(expected));

    const struct { QWidget* widget; const char* family; int pixels; } fonts[] = {
        {&form, "IPAPGothic", 12},     {form.Label2, "IPAMincho", 13}, {form.Button6, "IPAPGothic", 11},
        {form.Edit1, "IPAMincho", 15}, {form.Label3, "IPAMincho", 19}};
    for (const auto& f : fonts) {
        const QFontInfo info(f.widget->font());
        EXPECT_EQ(info.family().toStdString() + " " + std::to_string(info.pixelSize()),
                  std::string(f.family) + " " + std::to_string(f.pixels));
    }
}

TEST(WindowLayoutSmallScreen, NoticeWrapsAndTheColumnFollows) {
    test::EnsureQtApp();
    Session state;
    TForm1 form(state, QSize(640, 480));
    EXPECT_EQ(state.window.CellSize, 30);
    EXPECT_EQ(form.Label2->geometry(), QRect(447, 0, 90, 26));
    EXPECT_EQ(form.Button2->geometry(), QRect(447, 41, 30, 25));
}

}  // namespace
}  // namespace keldra
