// The main window as the handler logic sees it: message boxes, the status
// boxes and memo, board repaints, the file dialogs, the replay timer and the
// busy state, all carried out on TForm1's widgets.
#pragma once

#include <optional>

#include <QElapsedTimer>
#include <QString>

#include "QELMA/logic/form_view.h"

class QWidget;

namespace keldra {

class TForm1;

// The modal dialogs the window opens. Tests replace them so that nothing
// waits for a user.
class WindowDialogs {
public:
    virtual ~WindowDialogs() = default;
    // A modal message box with an OK button.
    virtual void message(QWidget* parent, const QString& text);
    // OpenDialog1 and SaveDialog1: the chosen path, or nothing when cancelled.
    virtual std::optional<QString> openFile(QWidget* parent);
    virtual std::optional<QString> saveFile(QWidget* parent);
    // The SGF open and save dialogs: filter "SGF (*.sgf)", default suffix "sgf".
    virtual std::optional<QString> openSgfFile(QWidget* parent);
    virtual std::optional<QString> saveSgfFile(QWidget* parent);
};

class QtFormView final : public FormView {
public:
    explicit QtFormView(TForm1& form);

    void ShowMessage(std::string_view text) override;
    void SetEdit1Text(std::string_view text) override;
    void SetEdit6Text(std::string_view text) override;
    void SetEdit6Colour(Rgb colour) override;
    void MemoClear() override;
    void MemoAddLine(std::string_view line) override;
    void PaintBoard() override;
    void ProcessEvents() override;
    std::uint32_t TickCount() override;
    void WaitSince(std::uint32_t start, std::uint32_t ms) override;
    bool Cancelled() override;
    void WaitFor(const std::function<bool(std::uint32_t ms)>& waitSome) override;

    void SetModeCaption(std::string_view text) override;
    void SetWindowCaption(std::string_view text) override;
    std::optional<std::string> ChooseOpenFile() override;
    std::optional<std::string> ChooseSaveFile() override;
    std::optional<std::string> ChooseOpenSgfFile() override;
    std::optional<std::string> ChooseSaveSgfFile() override;
    std::string Memo1Text() override;
    std::optional<std::string> DecodeCharset(std::string_view charset, std::string_view bytes) override;
    void SetTimerEnabled(bool on) override;
    void SetTimerInterval(int ms) override;
    void SetBusy(bool busy) override;
    void SetBoardMarks(const std::vector<BoardMark>& marks) override;
    void MemoShowFirstLine() override;
    void MemoShowLastLine() override;

private:
    TForm1& form_;
    QElapsedTimer clock_;
};

}  // namespace keldra
