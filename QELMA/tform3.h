// TForm3, the solution tree window (解答図): the book's variations, or the
// prover's proof, as an indented list; a click shows that position on the main window's board,
// with the line's move numbers, until the window closes.
#pragma once

#include <QDialog>

#include "BAN/sgf/sgf_tree.h"
#include "BAN/tban.h"
#include "QELMA/logic/solution_tree.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace keldra {

class TForm3 : public QDialog {
    Q_OBJECT

public:
    // Lists `tree` over the position `start`; `board` is the main window's
    // control, which shows the chosen node's position on `pos`.
    // `header` says where the tree comes from (by default the book, or that
    // there is none).
    TForm3(const SgfTree& tree, const Board& start, Position& pos, TBAN* board, QWidget* parent,
           const std::string& header = {});

    QLabel* Label1;      // where the tree comes from, or that there is none
    QListWidget* List1;  // one row per node
    QPushButton* Button1;  // 閉じる

    // Shows row `row`'s position on the board.
    void ShowRow(int row);

protected:
    void done(int result) override;

private:
    const SgfTree& tree_;
    const Board start_;
    std::vector<SolutionTreeRow> rows_;
    TreePreview preview_;
    TBAN* board_;
};

}  // namespace keldra
