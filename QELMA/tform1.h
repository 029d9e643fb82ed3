// TForm1, the main window: the board panel, the column of buttons, status
// boxes, speed bar and solution memo, the menu and the replay timer. It only
// builds and lays out the widgets and forwards every event to Form1Logic.
#pragma once

#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "BAN/tban.h"
#include "QELMA/layout.h"
#include "QELMA/logic/form1_logic.h"
#include "QELMA/qt_view.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QTimer;

namespace keldra {

class TForm2;

// A shape control: a circle in a square box, black outline, filled.
class TShape : public QWidget {
    Q_OBJECT

public:
    TShape(const QColor& brush, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor brush_;
};

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    // The window works on `session`, the one process-wide state; it must
    // outlive the window. It is laid out for `screen`, by default the size of
    // the primary screen.
    explicit TForm1(Session& session, QSize screen = QSize(), QWidget* parent = nullptr);
    ~TForm1() override;

    // Maps the window's font names to the installed Japanese faces.
    static void InstallFontSubstitutes();

    Form1Logic& logic() { return logic_; }
    const MainLayout& mainLayout() const { return layout_; }
    // Replaces the modal dialogs (nullptr restores the real ones); the
    // caller keeps ownership.
    void setDialogs(WindowDialogs* dialogs);
    WindowDialogs& dialogs() { return *dialogs_; }

    // A search or play-out runs: the board and the commands acting on it
    // take no input. When it ends, a close asked for meanwhile goes ahead.
    void setBusy(bool busy);
    bool busy() const { return busy_; }
    // True from the moment the window was asked to close.
    bool closing() const { return closing_; }

    // Opens the file at `path` (.go, or .sgf by the suffix) as the open
    // command opens a problem: the file named at start and a file dropped on
    // the window come here. A relative path is taken from the current folder.
    // Returns false when the file did not load (the message is shown) or the
    // window is busy.
    bool OpenProblemFile(const QString& path);

    // The form's controls, named as the handlers know them.
    QFrame* Panel1;
    QPointer<TBAN> BAN1;  // null once the board control is destroyed
    QLabel* Label2;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* Button7;
    QPushButton* Button8;
    QPushButton* Button9;
    QPushButton* Button10;
    QPushButton* Button11;
    QPushButton* Button12;
    QLineEdit* Edit1;
    QLineEdit* Edit6;
    QSlider* TrackBar1;
    QLabel* Label1;
    TShape* Shape1;
    TShape* Shape2;
    QLabel* Label3;
    QLabel* Label4;
    QPlainTextEdit* Memo1;
    QMenu* File1;
    QAction* Open1;
    QAction* SaveAs1;
    QAction* N2;
    QAction* N1;
    QAction* Exit1;
    QAction* K1;
    QAction* OpenSgf1;    // SGF を開く
    QAction* SaveSgf1;    // SGF で保存
    QAction* Previous1;   // 前の問題 (PageUp)
    QAction* Next1;       // 次の問題 (PageDown)
    QMenu* Analyze1;          // 検討(&A)
    QAction* Prove1;          // 検証(&V), F5
    QAction* StubbornWhite1;  // 検証で応じる(&S), checkable, remembered
    QAction* CancelProve1;    // Esc, outside the menu
    QMenu* Language1;         // 言語 / Language, after help
    QAction* Japanese1;       // 日本語
    QAction* English1;        // English
    QAction* SystemLanguage1; // システムの言語
    QAction* Study1;          // 問題集モード(&T), checkable, off at start
    QAction* Retry1;          // R: take back the wrong move and its refutation
    QAction* NextUnsolved1;   // 次の未解決の問題 (Shift+PageDown)
    QAction* SolutionTree1;   // 解答図 (F6)
    QTimer* Timer1;
    TForm2* Form2;

public slots:
    void BAN1MOUSEDOWN(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Timer1Timer();
    void TrackBar1Change(int position);
    void Open1Click();
    void SaveAs1Click();
    void Exit1Click();
    void K1Click();
    void OpenSgf1Click();
    void SaveSgf1Click();
    void Previous1Click();
    void Next1Click();
    void Prove1Click();
    void StubbornWhite1Click(bool on);
    void LanguageClick(QAction* item);
    void SolutionTree1Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    // One local file dragged over the window (or its text boxes) is taken
    // and opened, unless the window is busy.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenu();
    void createProblemMenuItems();
    void takeFileDrops();
    bool takesFiles() const { return !busy_ && !closing_; }
    void createAnalyzeMenu();
    void createLanguageMenu();
    void createStudyItems();
    void connectHandlers();
    void FormCreate(QSize screen);
    void destroyBoard();

    Session& st_;
    QtFormView view_;
    Form1Logic logic_;
    MainLayout layout_;
    std::unique_ptr<WindowDialogs> ownDialogs_;
    std::unique_ptr<ProgressStore> progress_;
    WindowDialogs* dialogs_;
    bool busy_ = false;
    bool closing_ = false;
};

}  // namespace keldra
