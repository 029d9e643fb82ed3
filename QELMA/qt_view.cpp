#include "QELMA/qt_view.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTimer>

#include "BAN/texts.h"
#include "QELMA/desktop.h"
#include "QELMA/tform1.h"

namespace keldra {

namespace {

QString fromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// OpenDialog1 and SaveDialog1 (default extension "go", filter 詰碁) and the
// SGF dialogs. None asks before replacing a file nor insists that a typed
// name exists. Each starts in the folder used last.
std::optional<QString> runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const char* suffix = "go",
                                     const char* filter = "詰碁 (*.go)") {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromUtf8(suffix));
    dialog.setNameFilter(QString::fromStdString(Tr(filter)));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QString start = StartFolder();
    if (!start.isEmpty()) dialog.setDirectory(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

// The chosen file's path for the logic; its folder is remembered for the
// next dialog.
std::optional<std::string> toPath(const std::optional<QString>& chosen) {
    if (!chosen) return std::nullopt;
    RememberFolderOf(*chosen);
    return QFile::encodeName(*chosen).toStdString();
}

}  // namespace

void WindowDialogs::message(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> WindowDialogs::openFile(QWidget* parent) { return runFileDialog(parent, QFileDialog::AcceptOpen); }

std::optional<QString> WindowDialogs::saveFile(QWidget* parent) { return runFileDialog(parent, QFileDialog::AcceptSave); }

std::optional<QString> WindowDialogs::openSgfFile(QWidget* parent) {
    return runFileDialog(parent, QFileDialog::AcceptOpen, "sgf", "SGF (*.sgf)");
}

std::optional<QString> WindowDialogs::saveSgfFile(QWidget* parent) {
    return runFileDialog(parent, QFileDialog::AcceptSave, "sgf", "SGF (*.sgf)");
}

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

std::optional<std::string> QtFormView::ChooseOpenSgfFile() { return toPath(form_.dialogs().openSgfFile(&form_)); }

std::optional<std::string> QtFormView::ChooseSaveSgfFile() { return toPath(form_.dialogs().saveSgfFile(&form_)); }

std::string QtFormView::Memo1Text() { return form_.Memo1->toPlainText().toStdString(); }

// Stateless, so that a sequence cut off at the end counts as an error too;
// a charset Qt does not know, or bytes that are not valid in it, give
// nothing rather than replacement characters.
std::optional<std::string> QtFormView::DecodeCharset(std::string_view charset, std::string_view bytes) {
    QStringDecoder decoder(QByteArray(charset.data(), static_cast<qsizetype>(charset.size())).trimmed().constData(),
                           QStringDecoder::Flag::Stateless);
    if (!decoder.isValid()) return std::nullopt;
    const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError()) return std::nullopt;
    return text.toStdString();
}

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

void QtFormView::MemoShowLastLine() {
    form_.Memo1->moveCursor(QTextCursor::End);
    form_.Memo1->ensureCursorVisible();
}

void QtFormView::SetBoardMarks(const std::vector<BoardMark>& marks) {
    if (form_.BAN1) form_.BAN1->SetMarks(marks);
}

}  // namespace keldra
