// TForm2, the help window: a header strip with the contact memo and the close
// button, and the help text below it. Created hidden once, shown modally on
// demand, hidden again (never destroyed) when closed, so it keeps its state.
#pragma once

#include <QDialog>

class QFrame;
class QPlainTextEdit;
class QPushButton;

namespace keldra {

class TForm2 : public QDialog {
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);

    QFrame* Panel1;
    QPlainTextEdit* Memo1;
    QPushButton* Button1;
    QPlainTextEdit* Memo2;

public slots:
    void Button1Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void arrange();
};

}  // namespace keldra
