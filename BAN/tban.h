// TBAN, the board control: draws the whole position into an off-screen
// bitmap and shows it with one block copy, and hands mouse presses on first
// to the input-mode entry and then to its ONMOUSEDOWN signal. It only reads
// the position; the window's logic changes it.
#pragma once

#include <functional>

#include <QImage>
#include <QWidget>

#include "BAN/board_marks.h"
#include "BAN/rules.h"

class QPainter;

namespace keldra {

class TBAN : public QWidget {
    Q_OBJECT

public:
    // The control's own handling of a press (input-mode stone entry), run
    // before ONMOUSEDOWN fires: button, the keys held, then the pixel
    // relative to the control.
    using EntryHandler = std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int, int)>;

    // Paints `pos`, which must outlive the control, on a 550 x 550 bitmap
    // with cells of 38 pixels until told otherwise; sizes the control 550 x 550.
    explicit TBAN(const Position& pos, QWidget* parent = nullptr);

    // The cell size in pixels and the side of the square bitmap it paints.
    void SetCellSize(int cellSize, int bitmapSize);
    int cellSize() const { return cellSize_; }
    int bitmapSize() const { return bitmapSize_; }

    void setEntryHandler(EntryHandler handler) { entry_ = std::move(handler); }
    // While false (a search or play-out runs) presses are ignored entirely.
    void setInputEnabled(bool on) { inputEnabled_ = on; }
    bool inputEnabled() const { return inputEnabled_; }

    // Redraws the board from the current state and shows it at once.
    void Paint();

    // Small squares over points of the position shown now (green for a kill,
    // orange for a kill through ko), kept until the position changes.
    void SetMarks(std::vector<BoardMark> marks) { marks_.Set(std::move(marks), pos_.board); }
    // The marks the next paint draws (none once the position has changed).
    const std::vector<BoardMark>& marks() { return marks_.ShownOn(pos_.board); }

    // The off-screen bitmap as the latest paint left it.
    const QImage& boardBitmap() const { return bitmap_; }

signals:
    void ONMOUSEDOWN(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void drawBoard();
    void drawMarks(QPainter& p, int cell);
    void drawMoveNumber(QPainter& p, int cell, const BoardMark& m);

    const Position& pos_;
    int cellSize_ = 38;
    int bitmapSize_ = 550;
    QImage bitmap_;
    EntryHandler entry_;
    bool inputEnabled_ = true;
    PositionMarks marks_;
};

}  // namespace keldra
