#include "BAN/tban.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace keldra {

namespace {

const QColor BoardGreen(0, 128, 0);
const QColor StoneBlack(0, 0, 0);
const QColor StoneWhite(255, 255, 255);
const QColor RangeBlue(0, 0, 255);
const QColor RingRed(255, 0, 0);
const QColor KoYellow(255, 255, 0);
const QColor KillGreen(0, 255, 0);
const QColor KoOrange(255, 160, 0);
const QColor TargetRed(255, 0, 0);

// The canvas operations take a box (left, top)-(right, bottom) whose right and
// bottom edges lie outside the shape. A 1-pixel pen on an aliased QPainter
// outlines QRect(l, t, w, h) on columns l..l+w, so the box becomes w = r-l-1.
QRect boxExcludingEdges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

void rectangle(QPainter& p, int left, int top, int right, int bottom) {
    p.drawRect(boxExcludingEdges(left, top, right, bottom));
}

void ellipse(QPainter& p, int left, int top, int right, int bottom) {
    p.drawEllipse(boxExcludingEdges(left, top, right, bottom));
}

// Move-to (x0, y0), line-to (x1, y1): the end point itself stays unpainted.
// Only horizontal and vertical lines are drawn on the board.
void line(QPainter& p, int x0, int y0, int x1, int y1) {
    const int dx = (x1 > x0) - (x1 < x0);
    const int dy = (y1 > y0) - (y1 < y0);
    if (dx == 0 && dy == 0) return;
    p.drawLine(QPoint(x0, y0), QPoint(x1 - dx, y1 - dy));
}

// Text with its top-left corner at (x, y), drawn opaque on the brush colour.
void opaqueText(QPainter& p, int x, int y, const QString& text) {
    const QFontMetrics fm = p.fontMetrics();
    p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), p.brush().color());
    p.drawText(x, y + fm.ascent(), text);
}

}  // namespace

TBAN::TBAN(const Position& pos, QWidget* parent) : QWidget(parent), pos_(pos) {
    bitmap_ = QImage(bitmapSize_, bitmapSize_, QImage::Format_RGB32);
    resize(bitmapSize_, bitmapSize_);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TBAN::SetCellSize(int cellSize, int bitmapSize) {
    cellSize_ = cellSize;
    bitmapSize_ = bitmapSize;
}

void TBAN::Paint() {
    if (isVisible()) {
        repaint();
    } else {
        drawBoard();
    }
}

void TBAN::drawBoard() {
    const int size = bitmapSize_;
    if (bitmap_.width() != size || bitmap_.height() != size) {
        bitmap_ = QImage(size, size, QImage::Format_RGB32);
    }
    const int cell = cellSize_;
    const int half = cell / 2;
    const int quarter = half / 2;
    const QPen thinBlack(StoneBlack, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    const QPen redRing(RingRed, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);

    QPainter p(&bitmap_);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(BoardGreen);
    p.setPen(thinBlack);
    rectangle(p, 0, 0, size, size);

    QFont numbers = font();
    numbers.setBold(true);
    p.setFont(numbers);
    const QColor textColour = palette().color(QPalette::Active, QPalette::WindowText);
    for (int n = 1; n <= BoardSide; ++n) {
        line(p, n * cell, cell, n * cell, BoardSide * cell);
        line(p, cell, n * cell, BoardSide * cell, n * cell);
        p.setPen(textColour);
        opaqueText(p, n * cell - 5, 5, QString::number(n));
        opaqueText(p, 5, n * cell - 5, QString::number(n));
        p.setPen(thinBlack);
    }

    const int lastX = pos_.LastX;
    const int lastY = pos_.LastY;
    for (int X = 1; X <= BoardSide; ++X) {
        for (int Y = 1; Y <= BoardSide; ++Y) {
            const PointRecord& point = pos_.at(X, Y);
            const int x = X * cell;
            const int y = Y * cell;
            p.setPen(thinBlack);
            switch (point.Stone) {
                case Black:
                    p.setBrush(StoneBlack);
                    ellipse(p, x - half, y - half, x + half, y + half);
                    break;
                case White:
                    p.setBrush(StoneWhite);
                    ellipse(p, x - half, y - half, x + half, y + half);
                    break;
                case RangeMark:
                    p.setBrush(RangeBlue);
                    rectangle(p, x - quarter, y - quarter, x + quarter, y + quarter);
                    break;
                default:
                    break;
            }
            // The ring keeps whatever brush is current: a stone's own colour.
            if (X == lastX && Y == lastY && HoldsStone(point.Stone)) {
                p.setPen(redRing);
                ellipse(p, x - half, y - half, x + half, y + half);
            }
            if (point.KoMark != 0) {
                p.setBrush(KoYellow);
                ellipse(p, x - quarter, y - quarter, x + quarter, y + quarter);
            }
        }
    }
    drawMarks(p, cell);
}

// The marks as squares the size of a range mark, a bright green that stands
// out from the board's own green, or orange; the target's mark is a small
// red square on its stone.
void TBAN::drawMarks(QPainter& p, int cell) {
    const int quarter = cell / 2 / 2;
    const int small = std::max(3, cell / 6);
    p.setPen(QPen(StoneBlack, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    for (const BoardMark& m : marks()) {
        const int x = m.x * cell;
        const int y = m.y * cell;
        if (m.kind == MarkKind::MoveNumber) {
            drawMoveNumber(p, cell, m);
            continue;
        }
        if (m.kind == MarkKind::Target) {
            p.setBrush(TargetRed);
            rectangle(p, x - small, y - small, x + small, y + small);
            continue;
        }
        p.setBrush(m.kind == MarkKind::Kill ? KillGreen : KoOrange);
        rectangle(p, x - quarter, y - quarter, x + quarter, y + quarter);
    }
}

// A move's number on its stone, in the other stone's colour.
void TBAN::drawMoveNumber(QPainter& p, int cell, const BoardMark& m) {
    const QRect box(m.x * cell - cell / 2, m.y * cell - cell / 2, cell, cell);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(std::max(8, cell / 2));
    p.save();
    p.setFont(font);
    p.setPen(pos_.at(m.x, m.y).Stone == Black ? StoneWhite : StoneBlack);
    p.drawText(box, Qt::AlignCenter, QString::number(m.number));
    p.restore();
}

void TBAN::paintEvent(QPaintEvent*) {
    drawBoard();
    QPainter screen(this);
    screen.drawImage(QPoint(0, 0), bitmap_, QRect(0, 0, bitmapSize_, bitmapSize_));
}

void TBAN::mousePressEvent(QMouseEvent* event) {
    const Qt::MouseButton button = event->button();
    if (!inputEnabled_ || (button != Qt::LeftButton && button != Qt::RightButton && button != Qt::MiddleButton)) {
        event->ignore();
        return;
    }
    const QPoint at = event->position().toPoint();
    if (entry_) entry_(button, event->modifiers(), at.x(), at.y());
    emit ONMOUSEDOWN(button, event->modifiers(), at.x(), at.y());
}

}  // namespace keldra
