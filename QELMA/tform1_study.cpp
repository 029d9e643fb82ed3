// TForm1's study items: 問題集モード in the 検討 menu, the R key, the step to
// the next unsolved problem, the solution tree window, and the progress
// store they keep results in.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "BAN/texts.h"
#include "QELMA/progress_store_sqlite.h"
#include "QELMA/tform1.h"
#include "QELMA/tform3.h"

namespace keldra {

namespace {

QString tx(const char* japanese) { return QString::fromStdString(Tr(japanese)); }

}  // namespace

void TForm1::createStudyItems() {
    progress_ = std::make_unique<SqliteProgressStore>(DefaultProgressPath());
    logic_.SetProgressStore(progress_.get());

    Study1 = Analyze1->addAction(tx("問題集モード(&T)"));
    Study1->setCheckable(true);
    Study1->setChecked(false);
    connect(Study1, &QAction::toggled, this, [this](bool on) {
        logic_.SetStudyMode(on);
        Retry1->setEnabled(on && !busy_);
    });

    Retry1 = new QAction(this);
    Retry1->setShortcut(QKeySequence(Qt::Key_R));
    Retry1->setEnabled(false);
    addAction(Retry1);
    connect(Retry1, &QAction::triggered, this, [this] {
        if (logic_.StudyModeOn()) logic_.RetryClick();
    });

    NextUnsolved1 = new QAction(tx("次の未解決の問題(&U)"), this);
    NextUnsolved1->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_PageDown));
    File1->insertAction(N2, NextUnsolved1);
    connect(NextUnsolved1, &QAction::triggered, this, [this] { logic_.NextUnsolvedClick(); });

    SolutionTree1 = new QAction(tx("解答図"), this);
    SolutionTree1->setShortcut(QKeySequence(Qt::Key_F6));
    menuBar()->insertAction(K1, SolutionTree1);
    connect(SolutionTree1, &QAction::triggered, this, &TForm1::SolutionTree1Click);
}

// The window is modal: nothing else changes the board while it shows other
// positions on it, and it puts the game's position back when it closes.
void TForm1::SolutionTree1Click() {
    if (busy_ || !BAN1) return;
    const std::optional<ListedTree> listed = logic_.SolutionTreeClick();
    if (!listed || !BAN1) return;
    TForm3 tree(*listed->tree, listed->start, st_.game.pos, BAN1, this, listed->header);
    tree.exec();
}

}  // namespace keldra
