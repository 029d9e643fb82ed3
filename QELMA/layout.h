// The main window's layout: the board panel on the left and the column of
// controls on its right, every size derived from the screen. Plain integer
// arithmetic, so the numbers can be checked for any screen without a window.
#pragma once

namespace keldra {

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

// The heights (and the few widths) the controls have of their own, from
// their design or their text; the layout reads them and does not set them.
struct OwnSizes {
    int button = 25;
    int edit1 = 23;
    int edit6 = 21;
    int trackBar = 20;
    int label1 = 13;
    int label2 = 13;  // the notice's wrapped text: 13 per line
    int shape = 15;   // Shape1 and Shape2 are circles this wide and high
    int label3Width = 95;
    int label3 = 19;
    int label4Width = 95;
    int label4 = 19;
    int memo1Width = 150;
};

struct MainLayout {
    Bounds form;
    Bounds panel1;
    int cellSize = 0;
    int bitmapSize = 0;
    int half = 0;  // CellSize div 2, the column's spacing unit
    Bounds ban1;
    Bounds label2;
    Bounds button2, button4, button3, button1;
    Bounds button5, button6;
    Bounds edit1, edit6;
    Bounds trackBar1, label1;
    Bounds button7, button12;
    Bounds shape1, shape2, label3, label4;
    Bounds memo1;
};

// The width Label2 is given, for measuring its wrapped text before the
// layout runs: six half cells of the board a screen of this height gets.
int NoticeWidth(int screenHeight);

// Lays the window out for a screen of the given size.
MainLayout LayOutMainWindow(int screenWidth, int screenHeight, const OwnSizes& own = {});

}  // namespace keldra
