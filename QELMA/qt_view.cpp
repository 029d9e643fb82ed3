#include "QELMA/qt_view.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>

#include "QELMA/tform1.h"

namespace keldra {

namespace {

QString fromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// OpenDialog1 and SaveDialog1: default extension "go", filter 詰碁. Neither
// asks before replacing a file nor insists that a typed name exists.
std::optional<QString> runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("go"));
    dialog.setNameFilter(QString::fromUtf8("詰碁 (*.go)"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<std::string> toPath(const std::optional<QString>& chosen) {
    if (!chosen) return std::nullopt;
    return QFile::encodeName(*chosen).toStdString();
}

}  // namespace

void WindowDialogs::message(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> WindowDialogs::openFile(QWidget* parent) { return runFileDialog(parent, QFileDialog::AcceptOpen); }

std::optional<QString> WindowDialogs::saveFile(QWidget* parent) { return runFileDialog(parent, QFileDialog::AcceptSave); }

QtFormView::QtFormView(TForm1& form) : form_(form) { clock_.start(); }

// Once the window is closing, outcomes are no longer announced.
void QtFormView::ShowMessage(std::string_view text) {
    if (!form_.closing()) form_.dialogs().message(&form_, fromView(text));
}

// A text wider than its box shows from its start.
void QtFormView::SetEdit1Text(std::string_view text) {
    form_.Edit1->setText(fromView(text));
    form_.Edit1->setCursorPosition(0);
}

void QtFormView::SetEdit6Text(std::string_view text) {
    form_.Edit6->setText(fromView(text));
    form_.Edit6->setCursorPosition(0);
}

void QtFormView::SetEdit6Colour(Rgb colour) {
    QPalette pal = form_.Edit6->palette();
    pal.setColor(QPalette::Base, QColor(colour.r, colour.g, colour.b));
    form_.Edit6->setPalette(pal);
}

void QtFormView::MemoClear() { form_.Memo1->clear(); }

void QtFormView::MemoAddLine(std::string_view line) { form_.Memo1->appendPlainText(fromView(line)); }

void QtFormView::PaintBoard() {
    if (form_.BAN1) form_.BAN1->Paint();
}

// Input reaches only the controls left enabled while busy (the end button,
// the menu's exit, the speed bar), so nothing can change the board here.
void QtFormView::ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

std::uint32_t QtFormView::TickCount() { return static_cast<std::uint32_t>(clock_.elapsed()); }

// Keeps the window responsive during the pause, and ends it early when the
// window is closing.
void QtFormView::WaitSince(std::uint32_t start, std::uint32_t ms) {
    QTimer wake;
    wake.setSingleShot(true);
    while (!Cancelled()) {
        const std::uint32_t waited = TickCount() - start;
        if (waited >= ms) break;
        wake.start(static_cast<int>(ms - waited));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

bool QtFormView::Cancelled() { return form_.closing(); }

// While the workers search, paint events (and the close) get through every
// few milliseconds; the window is busy, so its input is disabled and board
// clicks are ignored. A close ends the wait at once.
void QtFormView::WaitFor(const std::function<bool(std::uint32_t ms)>& waitSome) {
    constexpr std::uint32_t SliceMs = 15;
    while (!waitSome(SliceMs) && !Cancelled()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtFormView::SetModeCaption(std::string_view text) { form_.Button6->setText(fromView(text)); }

void QtFormView::SetWindowCaption(std::string_view text) { form_.setWindowTitle(fromView(text)); }

std::optional<std::string> QtFormView::ChooseOpenFile() { return toPath(form_.dialogs().openFile(&form_)); }

std::optional<std::string> QtFormView::ChooseSaveFile() { return toPath(form_.dialogs().saveFile(&form_)); }

void QtFormView::SetTimerEnabled(bool on) {
    if (on) {
        if (!form_.Timer1->isActive()) form_.Timer1->start();
    } else {
        form_.Timer1->stop();
    }
}

void QtFormView::SetTimerInterval(int ms) { form_.Timer1->setInterval(ms); }

void QtFormView::SetBusy(bool busy) { form_.setBusy(busy); }

void QtFormView::MemoShowFirstLine() {
    form_.Memo1->moveCursor(QTextCursor::Start);
    form_.Memo1->ensureCursorVisible();
}

void QtFormView::SetBoardMarks(const std::vector<BoardMark>& marks) {
    if (form_.BAN1) form_.BAN1->SetMarks(marks);
}

}  // namespace keldra
