#include "QELMA/tform1.h"

#include <optional>

#include <QActionGroup>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTextLayout>
#include <QTimer>

#include "BAN/texts.h"
#include "QELMA/desktop.h"
#include "QELMA/language.h"
#include "helpgo/tform2.h"

namespace keldra {

namespace {

constexpr const char* Gothic = "ＭＳ Ｐゴシック";
constexpr const char* Mincho = "ＭＳ 明朝";
constexpr int NoticeLineHeight = 13;

QString u8(const char* text) { return QString::fromUtf8(text); }
// A window text, in the language the window speaks.
QString tx(const char* japanese) { return QString::fromStdString(Tr(japanese)); }

QFont faceOf(const char* family, int pixels) {
    QFont f(u8(family));
    f.setPixelSize(pixels);
    return f;
}

QPushButton* button(QWidget* parent, const char* caption, const char* hint = nullptr) {
    auto* b = new QPushButton(tx(caption), parent);
    if (hint) b->setToolTip(tx(hint));
    return b;
}

QLabel* label(QWidget* parent, const char* caption, const QFont& font, const QColor& text) {
    auto* l = new QLabel(tx(caption), parent);
    l->setFont(font);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, text);
    l->setPalette(pal);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

// The number of lines `text` wraps onto at `width` pixels.
int wrappedLines(const QFont& font, const QString& text, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines == 0 ? 1 : lines;
}

void place(QWidget* w, const Bounds& b) { w->setGeometry(b.left, b.top, b.width, b.height); }

// A translated caption wider than its laid-out widget (an English word on a
// button sized for two Japanese characters) gets a smaller font, down to 8
// pixels, rather than being cut; captions that fit, and the Japanese ones the
// layout was made for, keep their font.
void fitCaption(QWidget* w, const QString& text, int padding) {
    if (!TextsTranslated()) return;
    QFont f = w->font();
    while (f.pixelSize() > 8 && QFontMetrics(f).horizontalAdvance(text) + padding > w->width()) {
        f.setPixelSize(f.pixelSize() - 1);
    }
    if (f != w->font()) w->setFont(f);
}

QSize primaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(800, 600);
}

// The window's icon, 32 x 32 in the colours of the 16-colour palette: a
// corner of the green board with a black stone beside a white one.
QIcon windowIcon32() {
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(QColor(0, 128, 0));
    QPainter p(&icon);
    p.setPen(Qt::black);
    for (int at = 4; at < 32; at += 9) {
        p.drawLine(at, 4, at, 31);
        p.drawLine(4, at, 31, at);
    }
    p.setBrush(Qt::black);
    p.drawEllipse(QRect(9, 9, 9, 9));
    p.setBrush(Qt::white);
    p.drawEllipse(QRect(18, 9, 9, 9));
    p.end();
    return QIcon(QPixmap::fromImage(icon));
}

MouseButton logicButton(Qt::MouseButton b) {
    return b == Qt::RightButton ? MouseButton::Right : b == Qt::MiddleButton ? MouseButton::Middle : MouseButton::Left;
}

}  // namespace

TShape::TShape(const QColor& brush, QWidget* parent) : QWidget(parent), brush_(brush) { resize(15, 15); }

void TShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int d = std::min(width(), height());
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(brush_);
    p.drawEllipse(QRect((width() - d) / 2, (height() - d) / 2, d - 1, d - 1));
}

void TForm1::InstallFontSubstitutes() {
    QFont::insertSubstitution(u8(Gothic), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(u8(Mincho), QStringLiteral("IPAMincho"));
}

TForm1::TForm1(Session& session, QSize screen, QWidget* parent)
    : QMainWindow(parent),
      st_(session),
      view_(*this),
      logic_(session, view_),
      ownDialogs_(std::make_unique<WindowDialogs>()),
      dialogs_(ownDialogs_.get()) {
    InstallFontSubstitutes();
    setWindowTitle(tx("ZORVEK　VER 2.05"));
    setWindowIcon(windowIcon32());
    setFont(faceOf(Gothic, 12));
    createControls();
    createMenu();
    createProblemMenuItems();
    createAnalyzeMenu();
    createLanguageMenu();
    createStudyItems();
    connectHandlers();
    logic_.SetSolutionCheck(true);
    takeFileDrops();
    FormCreate(screen.isEmpty() ? primaryScreenSize() : screen);
    Form2 = new TForm2(this);
    // a settings file that was not read says so in the memo
    if (const QString note = SettingsNote(); !note.isEmpty()) Memo1->appendPlainText(note);
}

TForm1::~TForm1() = default;

void TForm1::setDialogs(WindowDialogs* dialogs) { dialogs_ = dialogs ? dialogs : ownDialogs_.get(); }

void TForm1::createControls() {
    auto* client = new QWidget(this);
    setCentralWidget(client);

    Panel1 = new QFrame(client);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    BAN1 = new TBAN(st_.game.pos, Panel1);
    logic_.NewGame();

    Label2 = label(client, "黒先白死のみ対応", faceOf(Mincho, 13), Qt::yellow);
    QFont notice = Label2->font();
    notice.setBold(true);
    notice.setItalic(true);
    Label2->setFont(notice);
    Label2->setWordWrap(true);
    Label2->setAutoFillBackground(true);
    QPalette black = Label2->palette();
    black.setColor(QPalette::Window, Qt::black);
    Label2->setPalette(black);

    Button2 = button(client, "戻す");
    Button4 = button(client, "進む");
    Button3 = button(client, "再生", "再生します");
    Button1 = button(client, "消去");
    for (QPushButton* b : {Button2, Button4, Button3, Button1}) b->setFocusPolicy(Qt::ClickFocus);
    Button5 = button(client, "終了");
    Button6 = button(client, "入力．対局", "入力モードと対局モードをクリックすると切り替えます");
    Button6->setFont(faceOf(Gothic, 11));

    Edit1 = new QLineEdit(tx("解答時間（秒）"), client);
    Edit1->setFont(faceOf(Mincho, 15));
    Edit1->setCursorPosition(0);
    Edit6 = new QLineEdit(client);
    Edit6->setFont(faceOf(Mincho, 13));

    TrackBar1 = new QSlider(Qt::Horizontal, client);
    TrackBar1->setRange(100, 1500);
    TrackBar1->setValue(700);
    TrackBar1->setSingleStep(1);
    TrackBar1->setTickPosition(QSlider::NoTicks);
    Label1 = label(client, "速　再生速度　遅", faceOf(Gothic, 13), Qt::black);

    Button7 = button(client, "解答", "問題を解きます");
    Button12 = button(client, "問題", "問題を選択する");
    Shape1 = new TShape(Qt::black, client);
    Shape2 = new TShape(Qt::white, client);
    Label3 = label(client, "左クリック", faceOf(Mincho, 19), Qt::black);
    Label4 = label(client, "右クリック", faceOf(Mincho, 19), Qt::black);
    Memo1 = new QPlainTextEdit(client);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // The range and hint commands are reached only through other handlers.
    Button8 = button(client, "白範囲");
    Button11 = button(client, "黒範囲");
    Button9 = button(client, "白ヒント");
    Button10 = button(client, "黒ヒント");
    for (QPushButton* b : {Button8, Button11, Button9, Button10}) b->hide();

    Timer1 = new QTimer(this);
    Timer1->setInterval(700);
}

void TForm1::createMenu() {
    File1 = menuBar()->addMenu(tx("ﾌｧｲﾙ(&F)"));
    File1->setSeparatorsCollapsible(false);  // the two separators both show
    Open1 = File1->addAction(tx("開く(&O)..."));
    SaveAs1 = File1->addAction(tx("名前をつけて保存(&A)..."));
    N2 = File1->addSeparator();
    N1 = File1->addSeparator();
    Exit1 = File1->addAction(tx("終了(&X)"));
    K1 = menuBar()->addAction(tx("ヘルプ"));
}

// The SGF commands and the steps through a folder's problems, after the save
// item and before the two separators.
void TForm1::createProblemMenuItems() {
    OpenSgf1 = new QAction(tx("SGF を開く(&G)..."), this);
    SaveSgf1 = new QAction(tx("SGF で保存(&E)..."), this);
    Previous1 = new QAction(tx("前の問題(&P)"), this);
    Previous1->setShortcut(QKeySequence(Qt::Key_PageUp));
    Next1 = new QAction(tx("次の問題(&N)"), this);
    Next1->setShortcut(QKeySequence(Qt::Key_PageDown));
    File1->insertActions(N2, {OpenSgf1, SaveSgf1, Previous1, Next1});
    connect(OpenSgf1, &QAction::triggered, this, &TForm1::OpenSgf1Click);
    connect(SaveSgf1, &QAction::triggered, this, &TForm1::SaveSgf1Click);
    connect(Previous1, &QAction::triggered, this, &TForm1::Previous1Click);
    connect(Next1, &QAction::triggered, this, &TForm1::Next1Click);
}


// 検討(&A), between the file menu and the help item: 検証 (F5) and the
// stubborn white, whose choice is read back from the settings. Esc stops a
// running 検証 from anywhere in the window.
void TForm1::createAnalyzeMenu() {
    Analyze1 = new QMenu(tx("検討(&A)"), this);
    menuBar()->insertMenu(K1, Analyze1);
    Prove1 = Analyze1->addAction(tx("検証(&V)"));
    Prove1->setShortcut(QKeySequence(Qt::Key_F5));
    StubbornWhite1 = Analyze1->addAction(tx("検証で応じる(&S)"));
    StubbornWhite1->setCheckable(true);
    StubbornWhite1->setChecked(AppSettings().value(QLatin1String(StubbornWhiteKey), false).toBool());
    logic_.SetStubbornWhite(StubbornWhite1->isChecked());
    CancelProve1 = new QAction(this);
    CancelProve1->setShortcut(QKeySequence(Qt::Key_Escape));
    addAction(CancelProve1);
    connect(Prove1, &QAction::triggered, this, &TForm1::Prove1Click);
    connect(StubbornWhite1, &QAction::toggled, this, &TForm1::StubbornWhite1Click);
    connect(CancelProve1, &QAction::triggered, this, [this] { logic_.CancelProve(); });
}

// 言語 / Language, after the help item: Japanese, English or the system's,
// remembered for the next start. Its title and the two language names read
// the same in either language, so that a user finds them whatever the window
// speaks.
void TForm1::createLanguageMenu() {
    Language1 = menuBar()->addMenu(u8("言語 / Language"));
    auto* choices = new QActionGroup(this);
    Japanese1 = Language1->addAction(u8("日本語"));
    English1 = Language1->addAction(QStringLiteral("English"));
    SystemLanguage1 = Language1->addAction(tx("システムの言語"));
    const Language chosen = ChosenLanguage();
    for (auto [item, language] : {std::pair{Japanese1, Language::Japanese}, std::pair{English1, Language::English},
                                  std::pair{SystemLanguage1, Language::System}}) {
        item->setCheckable(true);
        item->setChecked(language == chosen);
        item->setData(static_cast<int>(language));
        choices->addAction(item);
    }
    connect(choices, &QActionGroup::triggered, this, &TForm1::LanguageClick);
}

void TForm1::connectHandlers() {
    BAN1->setEntryHandler([this](Qt::MouseButton b, Qt::KeyboardModifiers keys, int x, int y) {
        if (b == Qt::RightButton && (keys & Qt::ShiftModifier)) return logic_.BoardTargetClick(x, y);
        logic_.BoardMouseDown(logicButton(b), x, y);
    });
    connect(BAN1, &TBAN::ONMOUSEDOWN, this, &TForm1::BAN1MOUSEDOWN);
    const std::pair<QPushButton*, void (TForm1::*)()> clicks[] = {
        {Button1, &TForm1::Button1Click},   {Button2, &TForm1::Button2Click},   {Button3, &TForm1::Button3Click},
        {Button4, &TForm1::Button4Click},   {Button5, &TForm1::Button5Click},   {Button6, &TForm1::Button6Click},
        {Button7, &TForm1::Button7Click},   {Button8, &TForm1::Button8Click},   {Button9, &TForm1::Button9Click},
        {Button10, &TForm1::Button10Click}, {Button11, &TForm1::Button11Click}, {Button12, &TForm1::Button12Click},
    };
    for (const auto& [b, handler] : clicks) connect(b, &QPushButton::clicked, this, handler);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(TrackBar1, &QSlider::valueChanged, this, &TForm1::TrackBar1Change);
    connect(Open1, &QAction::triggered, this, &TForm1::Open1Click);
    connect(SaveAs1, &QAction::triggered, this, &TForm1::SaveAs1Click);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(K1, &QAction::triggered, this, &TForm1::K1Click);
}

// Lays the window out for the screen it starts on; the only place that sets
// CellSize and BitmapSize.
void TForm1::FormCreate(QSize size) {
    OwnSizes own;
    own.label2 = NoticeLineHeight * wrappedLines(Label2->font(), Label2->text(), NoticeWidth(size.height()));
    own.label3Width = Label3->fontMetrics().horizontalAdvance(Label3->text());
    own.label4Width = Label4->fontMetrics().horizontalAdvance(Label4->text());
    layout_ = LayOutMainWindow(size.width(), size.height(), own);

    setGeometry(layout_.form.left, layout_.form.top, layout_.form.width, layout_.form.height);
    place(Panel1, layout_.panel1);
    st_.window.CellSize = static_cast<std::uint8_t>(layout_.cellSize);
    st_.window.BitmapSize = layout_.bitmapSize;
    BAN1->SetCellSize(layout_.cellSize, layout_.bitmapSize);
    place(BAN1, layout_.ban1);
    const std::pair<QWidget*, const Bounds*> column[] = {
        {Label2, &layout_.label2},   {Button2, &layout_.button2}, {Button4, &layout_.button4},
        {Button3, &layout_.button3}, {Button1, &layout_.button1}, {Button5, &layout_.button5},
        {Button6, &layout_.button6}, {Edit1, &layout_.edit1},     {Edit6, &layout_.edit6},
        {TrackBar1, &layout_.trackBar1}, {Label1, &layout_.label1}, {Button7, &layout_.button7},
        {Button12, &layout_.button12}, {Shape1, &layout_.shape1}, {Shape2, &layout_.shape2},
        {Label3, &layout_.label3},   {Label4, &layout_.label4},   {Memo1, &layout_.memo1},
    };
    for (const auto& [w, b] : column) place(w, *b);
    for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5, Button6, Button7, Button12}) {
        fitCaption(b, b->text(), 8);
    }
    fitCaption(Label1, Label1->text(), 0);
    st_.flags.AutoSolveFlag = 0;
}

void TForm1::setBusy(bool busy) {
    busy_ = busy;
    // A closing window takes no more input, also once the search has stopped
    // and before the close has come round.
    const bool takeInput = !busy && !closing_;
    if (BAN1) BAN1->setInputEnabled(takeInput);
    for (QPushButton* b : {Button1, Button2, Button3, Button4, Button6, Button7, Button12}) b->setEnabled(takeInput);
    for (QAction* a : {Open1, SaveAs1, K1}) a->setEnabled(takeInput);
    for (QAction* a : {OpenSgf1, SaveSgf1, Previous1, Next1}) a->setEnabled(takeInput);
    for (QAction* a : {Prove1, StubbornWhite1}) a->setEnabled(takeInput);
    for (QAction* a : {Japanese1, English1, SystemLanguage1}) a->setEnabled(takeInput);
    for (QAction* a : {Study1, NextUnsolved1, SolutionTree1}) a->setEnabled(takeInput);
    Retry1->setEnabled(takeInput && logic_.StudyModeOn());  // R types into the memo otherwise
    // A close asked for during the search goes ahead once control is back
    // in the event loop, after the handler that ran the search has returned.
    if (!busy && closing_) QTimer::singleShot(0, this, &QWidget::close);
}

void TForm1::destroyBoard() { delete BAN1.data(); }

namespace {

// The one local file a drag carries, or nothing.
std::optional<QString> draggedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile()) return std::nullopt;
    return urls.constFirst().toLocalFile();
}

// Takes a drag of one local file as a copy; the source keeps its file.
void takeDrag(QDropEvent* event, bool take) {
    if (take && draggedFile(event->mimeData()) && (event->possibleActions() & Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace

// The window takes file drops. The text boxes would take a dropped file's
// name as text; a drag of a file over them goes to the window instead.
void TForm1::takeFileDrops() {
    setAcceptDrops(true);
    for (QWidget* w : {static_cast<QWidget*>(Memo1->viewport()), static_cast<QWidget*>(Edit1),
                       static_cast<QWidget*>(Edit6)}) {
        w->installEventFilter(this);
    }
}

bool TForm1::OpenProblemFile(const QString& path) {
    if (!takesFiles() || path.isEmpty()) return false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    RememberFolderOf(absolute);
    return logic_.OpenProblemPath(QFile::encodeName(absolute).toStdString());
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) { takeDrag(event, takesFiles()); }

void TForm1::dragMoveEvent(QDragMoveEvent* event) { takeDrag(event, takesFiles()); }

// The file opens once the drop has returned, so that a message about it
// does not hold up the program the file was dragged from.
void TForm1::dropEvent(QDropEvent* event) {
    takeDrag(event, takesFiles());
    if (!event->isAccepted()) return;
    QTimer::singleShot(0, this, [this, path = *draggedFile(event->mimeData())] { OpenProblemFile(path); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
        auto* drag = static_cast<QDropEvent*>(event);
        if (draggedFile(drag->mimeData())) {
            type == QEvent::Drop ? dropEvent(drag) : takeDrag(drag, takesFiles());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Every way of closing ends here. The replay stops at once. While a search or
// play-out runs the close is only noted: the search sees Cancelled() and
// stops, and the close is retried when it has returned.
void TForm1::closeEvent(QCloseEvent* event) {
    closing_ = true;
    Timer1->stop();
    if (busy_) {
        event->ignore();
        return;
    }
    destroyBoard();
    event->accept();
}

void TForm1::BAN1MOUSEDOWN(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    logic_.BAN1MOUSEDOWN(logicButton(button), x, y);
}

void TForm1::Button1Click() { logic_.Button1Click(); }
void TForm1::Button2Click() { logic_.Button2Click(); }
void TForm1::Button3Click() { logic_.Button3Click(); }
void TForm1::Button4Click() { logic_.Button4Click(); }
void TForm1::Button6Click() { logic_.Button6Click(); }
void TForm1::Button7Click() { logic_.Button7Click(); }
void TForm1::Button8Click() { logic_.Button8Click(); }
void TForm1::Button9Click() { logic_.Button9Click(); }
void TForm1::Button10Click() { logic_.Button10Click(); }
void TForm1::Button11Click() { logic_.Button11Click(); }
void TForm1::Button12Click() { logic_.Button12Click(); }
void TForm1::Timer1Timer() { logic_.Timer1Timer(); }
void TForm1::TrackBar1Change(int position) { logic_.TrackBar1Change(position); }
void TForm1::Open1Click() { logic_.Open1Click(); }
void TForm1::SaveAs1Click() { logic_.SaveAs1Click(); }
void TForm1::OpenSgf1Click() { logic_.OpenSgf1Click(); }
void TForm1::SaveSgf1Click() { logic_.SaveSgf1Click(); }
void TForm1::Previous1Click() { logic_.PreviousProblemClick(); }
void TForm1::Next1Click() { logic_.NextProblemClick(); }

// The end button destroys the board control before the window closes; during
// a search the board stays until the search has stopped.
void TForm1::Button5Click() {
    if (!busy_) destroyBoard();
    close();
}

void TForm1::Exit1Click() { close(); }

void TForm1::Prove1Click() { logic_.Prove1Click(); }

void TForm1::StubbornWhite1Click(bool on) {
    logic_.SetStubbornWhite(on);
    AppSettings().setValue(QLatin1String(StubbornWhiteKey), on);
}

// The choice holds from the next start: the window's texts, the memo and the
// messages already shown stay as they are.
void TForm1::LanguageClick(QAction* item) {
    const auto chosen = static_cast<Language>(item->data().toInt());
    if (chosen == ChosenLanguage()) return;
    RememberLanguage(chosen);
    dialogs_->message(this, u8("言語は次に起動したときに切り替わります。\nThe language changes at the next start."));
}

// The help window does not open over a running search or play-out.
void TForm1::K1Click() {
    if (!busy_) Form2->exec();
}

}  // namespace keldra
