#include "helpgo/tform2.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include "BAN/texts.h"
#include "helpgo/help_text.h"

namespace keldra {

namespace {

constexpr int PanelHeight = 49;
constexpr int MemoWidth = 408;

// A window text, in the language the window speaks.
QString tx(const char* japanese) { return QString::fromStdString(Tr(japanese)); }

QFont faceOf(const char* family, int pixels) {
    QFont f(QString::fromUtf8(family));
    f.setPixelSize(pixels);
    return f;
}

QPlainTextEdit* memoWith(QWidget* parent, const QFont& font) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setFont(font);
    QPalette pal = memo->palette();
    pal.setColor(QPalette::Text, Qt::black);
    memo->setPalette(pal);
    return memo;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tx("ヘルプ"));
    setFont(faceOf("ＭＳ Ｐゴシック", 12));
    setGeometry(98, 95, 517, 426);

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);

    // The contact memo fills the panel's left side inside its 1-pixel bevel.
    Memo1 = memoWith(Panel1, faceOf("ＭＳ 明朝", 13));
    Memo1->setGeometry(1, 1, MemoWidth, PanelHeight - 2);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->document()->setDocumentMargin(1);  // three lines fit the strip
    for (const char* line : ContactLines) Memo1->appendPlainText(tx(line));

    Button1 = new QPushButton(tx("閉じる"), Panel1);
    Button1->setGeometry(424, 16, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);

    // With both scroll bars the help text is not wrapped.
    Memo2 = memoWith(this, faceOf("ＭＳ 明朝", 19));
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QStringList text;
    for (const char* line : HelpLines) text << tx(line);
    Memo2->setPlainText(text.join(QChar('\n')));
    Memo1->moveCursor(QTextCursor::Start);
    Memo2->moveCursor(QTextCursor::Start);

    arrange();
    FormCreate();
}

// The close button sits 5 pixels right of the contact memo.
void TForm2::FormCreate() { Button1->move(Memo1->x() + Memo1->width() + 5, Button1->y()); }

void TForm2::Button1Click() { close(); }

// The header strip spans the window's width; the help text fills the rest.
void TForm2::arrange() {
    Panel1->setGeometry(0, 0, width(), PanelHeight);
    Memo2->setGeometry(0, PanelHeight, width(), height() - PanelHeight);
}

void TForm2::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    arrange();
}

}  // namespace keldra
