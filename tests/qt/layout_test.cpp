// The main window's layout: the column formulas for the three screen sizes
// the program is made for, and the real window placing its controls there.
#include <string>

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <gtest/gtest.h>

#include "QELMA/layout.h"
#include "tests/qt/window_fixture.h"

namespace keldra {
namespace {

std::string show(const Bounds& b) {
    return std::to_string(b.left) + "," + std::to_string(b.top) + " " + std::to_string(b.width) + "x" +
           std::to_string(b.height);
}

struct Expected {
    const char* control;
    Bounds MainLayout::*member;
    Bounds bounds;
};

void expectColumn(const MainLayout& l, std::initializer_list<Expected> rows, const std::string& screen) {
    for (const Expected& row : rows) {
        EXPECT_EQ(show(l.*row.member), show(row.bounds)) << screen << ": " << row.control;
    }
}

TEST(Layout, Screen800x600) {
    const MainLayout l = LayOutMainWindow(800, 600);
    EXPECT_EQ(l.cellSize, 38);
    EXPECT_EQ(l.bitmapSize, 570);
    EXPECT_EQ(l.half, 19);
    expectColumn(l,
                 {
                     {"Form1", &MainLayout::form, {0, 0, 800, 600}},
                     {"Panel1", &MainLayout::panel1, {0, 0, 540, 540}},
                     {"BAN1", &MainLayout::ban1, {1, 1, 570, 570}},
                     {"Label2", &MainLayout::label2, {559, 0, 114, 13}},
                     {"Button2", &MainLayout::button2, {559, 32, 38, 25}},
                     {"Button4", &MainLayout::button4, {616, 32, 38, 25}},
                     {"Button3", &MainLayout::button3, {559, 76, 38, 25}},
                     {"Button1", &MainLayout::button1, {616, 76, 38, 25}},
                     {"Button5", &MainLayout::button5, {559, 120, 38, 25}},
                     {"Button6", &MainLayout::button6, {616, 120, 76, 25}},
                     {"Edit1", &MainLayout::edit1, {559, 164, 76, 23}},
                     {"Edit6", &MainLayout::edit6, {559, 192, 76, 21}},
                     {"TrackBar1", &MainLayout::trackBar1, {559, 232, 114, 20}},
                     {"Label1", &MainLayout::label1, {559, 252, 114, 13}},
                     {"Button7", &MainLayout::button7, {550, 284, 38, 25}},
                     {"Button12", &MainLayout::button12, {607, 284, 38, 25}},
                     {"Shape1", &MainLayout::shape1, {559, 328, 15, 15}},
                     {"Shape2", &MainLayout::shape2, {559, 362, 15, 15}},
                     {"Label3", &MainLayout::label3, {578, 329, 95, 19}},
                     {"Label4", &MainLayout::label4, {578, 363, 95, 19}},
                     {"Memo1", &MainLayout::memo1, {578, 401, 150, 120}},
                 },
                 "800x600");
}

// At 640x480 the notice is 90 pixels wide and wraps onto a second line,
// which moves the whole column down by that line.
TEST(Layout, Screen640x480WithWrappedNotice) {
    OwnSizes twoLines;
    twoLines.label2 = 26;
    const MainLayout l = LayOutMainWindow(640, 480, twoLines);
    EXPECT_EQ(l.cellSize, 30);
    EXPECT_EQ(l.bitmapSize, 450);
    EXPECT_EQ(l.half, 15);
    EXPECT_EQ(NoticeWidth(480), 90);
    expectColumn(l,
                 {
                     {"Panel1", &MainLayout::panel1, {0, 0, 432, 432}},
                     {"Label2", &MainLayout::label2, {447, 0, 90, 26}},
                     {"Button2", &MainLayout::button2, {447, 41, 30, 25}},
                     {"Button4", &MainLayout::button4, {492, 41, 30, 25}},
                     {"Button1", &MainLayout::button1, {492, 81, 30, 25}},
                     {"Button6", &MainLayout::button6, {492, 121, 60, 25}},
                     {"Edit1", &MainLayout::edit1, {447, 161, 60, 23}},
                     {"Edit6", &MainLayout::edit6, {447, 189, 60, 21}},
                     {"TrackBar1", &MainLayout::trackBar1, {447, 225, 90, 20}},
                     {"Label1", &MainLayout::label1, {447, 245, 90, 13}},
                     {"Button7", &MainLayout::button7, {442, 273, 30, 25}},
                     {"Button12", &MainLayout::button12, {487, 273, 30, 25}},
                     {"Shape2", &MainLayout::shape2, {447, 343, 15, 15}},
                     {"Label4", &MainLayout::label4, {462, 344, 95, 19}},
                     {"Memo1", &MainLayout::memo1, {462, 378, 150, 39}},
                 },
                 "640x480");

    const MainLayout oneLine = LayOutMainWindow(640, 480);
    EXPECT_EQ(l.memo1.top - oneLine.memo1.top, 13);
    EXPECT_EQ(l.button2.top - oneLine.button2.top, 13);
}

TEST(Layout, Screen1024x768) {
    const MainLayout l = LayOutMainWindow(1024, 768);
    EXPECT_EQ(l.cellSize, 49);
    EXPECT_EQ(l.bitmapSize, 735);
    EXPECT_EQ(l.half, 24);
    expectColumn(l,
                 {
                     {"Panel1", &MainLayout::panel1, {0, 0, 691, 691}},
                     {"BAN1", &MainLayout::ban1, {1, 1, 735, 735}},
                     {"Label2", &MainLayout::label2, {715, 0, 144, 13}},
                     {"Button4", &MainLayout::button4, {787, 37, 48, 25}},
                     {"Button6", &MainLayout::button6, {787, 135, 96, 25}},
                     {"Edit6", &MainLayout::edit6, {715, 212, 96, 21}},
                     {"Label1", &MainLayout::label1, {715, 277, 144, 13}},
                     {"Button7", &MainLayout::button7, {701, 314, 48, 25}},
                     {"Button12", &MainLayout::button12, {773, 314, 48, 25}},
                     {"Label4", &MainLayout::label4, {739, 403, 95, 19}},
                     {"Memo1", &MainLayout::memo1, {739, 446, 150, 221}},
                 },
                 "1024x768");
}

// The panel is 9/10 of the height, truncated; the cell is the panel width
// divided by 14, and an exact multiple gives exactly the quotient.
TEST(Layout, PanelAndCellTruncation) {
    struct Row {
        int height, panel, cell;
    } rows[] = {{600, 540, 38}, {607, 546, 39}, {606, 545, 38}, {480, 432, 30}, {768, 691, 49}, {1080, 972, 69}};
    for (const Row& r : rows) {
        const MainLayout l = LayOutMainWindow(1920, r.height);
        EXPECT_EQ(l.panel1.width, r.panel) << "height " << r.height;
        EXPECT_EQ(l.panel1.height, r.panel) << "height " << r.height;
        EXPECT_EQ(l.cellSize, r.cell) << "height " << r.height;
        EXPECT_EQ(l.bitmapSize, 15 * r.cell) << "height " << r.height;
    }
}

using WindowLayout = test::WindowTest;

// The window applies the layout of its screen and measures the notice and
// the legends itself.
TEST_F(WindowLayout, ControlsSitWhereTheLayoutPutsThem) {
    const MainLayout& l = form.mainLayout();
    EXPECT_EQ(state.CellSize, 38);
    EXPECT_EQ(state.BitmapSize, 570);
    EXPECT_EQ(l.label2.height, 13) << "the notice fits one line at 114 pixels";
    EXPECT_EQ(l.button2.left, 559);
    EXPECT_EQ(l.button4.left, 616);
    EXPECT_EQ(l.label3.width, form.Label3->fontMetrics().horizontalAdvance(form.Label3->text()));

    const std::pair<QWidget*, Bounds> placed[] = {
        {form.Panel1, l.panel1},     {form.BAN1, l.ban1},       {form.Label2, l.label2},
        {form.Button2, l.button2},   {form.Button4, l.button4}, {form.Button3, l.button3},
        {form.Button1, l.button1},   {form.Button5, l.button5}, {form.Button6, l.button6},
        {form.Edit1, l.edit1},       {form.Edit6, l.edit6},     {form.TrackBar1, l.trackBar1},
        {form.Label1, l.label1},     {form.Button7, l.button7}, {form.Button12, l.button12},
        {form.Shape1, l.shape1},     {form.Shape2, l.shape2},   {form.Label3, l.label3},
        {form.Label4, l.label4},     {form.Memo1, l.memo1},
    };
    for (const auto& [widget, bounds] : placed) {
        const QRect g = widget->geometry();
        EXPECT_EQ(show({g.x(), g.y(), g.width(), g.height()}), show(bounds)) << widget->metaObject()->className();
    }
}

// On a 640x480 screen the window finds the notice too wide for 90 pixels and
// moves the column down by its second line.
TEST(WindowLayoutSmallScreen, NoticeWrapsAndTheColumnFollows) {
    test::EnsureQtApp();
    AppState state;
    TForm1 form(state, QSize(640, 480));
    EXPECT_EQ(state.CellSize, 30);
    EXPECT_EQ(state.BitmapSize, 450);
    EXPECT_EQ(form.mainLayout().label2.height, 26);
    EXPECT_EQ(form.Label2->geometry(), QRect(447, 0, 90, 26));
    EXPECT_EQ(form.Button2->geometry(), QRect(447, 41, 30, 25));
    EXPECT_EQ(form.Memo1->geometry().top(), 378);
}

// The form's font names resolve to the installed Japanese faces.
TEST_F(WindowLayout, FontsResolveToTheJapaneseFaces) {
    const struct {
        QWidget* widget;
        const char* family;
        int pixels;
    } rows[] = {
        {&form, "IPAPGothic", 12},       {form.Label2, "IPAMincho", 13}, {form.Button6, "IPAPGothic", 11},
        {form.Edit1, "IPAMincho", 15},   {form.Edit6, "IPAMincho", 13},  {form.Label1, "IPAPGothic", 13},
        {form.Label3, "IPAMincho", 19},  {form.Label4, "IPAMincho", 19},
    };
    for (const auto& row : rows) {
        const QFontInfo info(row.widget->font());
        EXPECT_EQ(info.family().toStdString(), row.family) << row.widget->metaObject()->className();
        EXPECT_EQ(info.pixelSize(), row.pixels) << row.widget->metaObject()->className();
    }
    EXPECT_TRUE(form.Label2->font().bold() && form.Label2->font().italic());
}

}  // namespace
}  // namespace keldra
