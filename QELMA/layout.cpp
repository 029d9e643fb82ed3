#include "QELMA/layout.h"

#include <cstdint>

namespace keldra {

namespace {

// The panel is 9/10 of the window height, truncated; CellSize is a byte.
int panelSide(int screenHeight) { return (9 * screenHeight) / 10; }
int cellOf(int panelWidth) { return static_cast<std::uint8_t>(panelWidth / 14); }

// A control placed `gap` to the right of another on the same line.
Bounds rightOf(const Bounds& other, int gap, int width, int height) {
    return {other.right() + gap, other.top, width, height};
}

}  // namespace

int NoticeWidth(int screenHeight) { return 6 * (cellOf(panelSide(screenHeight)) / 2); }

MainLayout LayOutMainWindow(int screenWidth, int screenHeight, const OwnSizes& own) {
    MainLayout l;
    l.form = {0, 0, screenWidth, screenHeight};
    const int side = panelSide(l.form.height);
    l.panel1 = {0, 0, side, side};
    l.cellSize = cellOf(l.panel1.width);
    l.bitmapSize = l.cellSize * 15;
    l.ban1 = {1, 1, l.bitmapSize, l.bitmapSize};

    const int h = l.cellSize / 2;
    const int R = l.panel1.right();
    l.half = h;
    // The column, top to bottom; each row reads what the rows above it set.
    l.label2 = {R + h, l.panel1.top, 6 * h, own.label2};
    l.button2 = {R + h, l.label2.bottom() + h, 2 * h, own.button};
    l.button4 = rightOf(l.button2, h, 2 * h, own.button);
    l.button3 = {R + h, l.button2.bottom() + h, 2 * h, own.button};
    l.button1 = rightOf(l.button3, h, 2 * h, own.button);
    l.button5 = {R + h, l.button3.bottom() + h, 2 * h, own.button};
    l.button6 = rightOf(l.button5, h, 4 * h, own.button);
    l.edit1 = {R + h, l.button5.bottom() + h, 4 * h, own.edit1};
    l.edit6 = {R + h, l.edit1.bottom() + 5, 4 * h, own.edit6};
    l.trackBar1 = {R + h, l.edit6.bottom() + h, 6 * h, own.trackBar};
    l.label1 = {l.trackBar1.left, l.trackBar1.bottom(), l.trackBar1.width, own.label1};
    // The solve button alone sits 10 pixels right of the panel.
    l.button7 = {R + 10, l.label1.bottom() + h, 2 * h, own.button};
    l.button12 = rightOf(l.button7, h, 2 * h, own.button);
    l.shape1 = {R + h, l.button7.bottom() + h, own.shape, own.shape};
    l.shape2 = {R + h, l.shape1.bottom() + h, own.shape, own.shape};
    l.label3 = {l.shape1.left + h, l.shape1.top + 1, own.label3Width, own.label3};
    l.label4 = {l.shape2.left + h, l.shape2.top + 1, own.label4Width, own.label4};
    const int memoTop = l.label4.bottom() + h;
    l.memo1 = {l.label4.left, memoTop, own.memo1Width, l.panel1.height - memoTop - h};
    return l;
}

}  // namespace keldra
