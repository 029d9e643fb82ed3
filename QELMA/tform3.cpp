#include "QELMA/tform3.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "QELMA/logic/study_texts.h"

namespace keldra {

TForm3::TForm3(const SgfTree& tree, const Board& start, Position& pos, TBAN* board, QWidget* parent,
               const std::string& header)
    : QDialog(parent), tree_(tree), start_(start), preview_(pos), board_(board) {
    setWindowTitle(QString::fromStdString(Tr(study_text::TreeWindowCaption)));
    resize(360, 420);
    auto* layout = new QVBoxLayout(this);
    const char* byDefault = tree.nodes.size() < 2 ? study_text::NoTree : study_text::TreeFromBook;
    Label1 = new QLabel(QString::fromStdString(header.empty() ? Tr(byDefault) : header), this);
    List1 = new QListWidget(this);
    QFont mono = List1->font();
    mono.setPixelSize(15);
    List1->setFont(mono);
    // A book of any size opens at once: the list stops after its first rows.
    constexpr std::size_t MaxRows = 5000;
    rows_ = SolutionTreeRows(tree, MaxRows);
    for (const SolutionTreeRow& row : rows_) List1->addItem(QString::fromStdString(row.text));
    if (const std::size_t all = tree.nodes.size() - 1; all > rows_.size()) {
        List1->addItem(QString::fromStdString(Fill(Tr(study_text::TreeCut), {std::to_string(all - rows_.size())})));
    }
    Button1 = new QPushButton(QString::fromStdString(Tr(study_text::CloseTree)), this);
    layout->addWidget(Label1);
    layout->addWidget(List1);
    layout->addWidget(Button1);
    connect(List1, &QListWidget::currentRowChanged, this, &TForm3::ShowRow);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm3::ShowRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    const std::vector<BoardMark> numbers = preview_.Show(start_, tree_, rows_[static_cast<std::size_t>(row)].node);
    if (!board_) return;
    board_->SetMarks(numbers);
    board_->repaint();
}

// However the window closes, the board goes back to the game's position.
void TForm3::done(int result) {
    preview_.Restore();
    if (board_) {
        board_->SetMarks({});
        board_->repaint();
    }
    QDialog::done(result);
}

}  // namespace keldra
