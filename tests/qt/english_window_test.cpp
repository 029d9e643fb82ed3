// The window in English: every text a widget, menu, action, tool tip, the
// help window, a message or the memo shows, after the commands that make
// texts, holds no Japanese, study mode's memo and the solution tree window
// included; the language menu remembers its choice.
#include <algorithm>
#include <fstream>
#include <memory>
#include <string>

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "BAN/problem_file.h"
#include "QELMA/language.h"
#include "QELMA/tform3.h"
#include "helpgo/tform2.h"
#include "tests/qt/window_fixture.h"
#include "tests/test_support.h"

namespace keldra {
namespace {

// Kana, kanji, full-width forms and the ideographic space.
bool holdsJapanese(const QString& text) {
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30ff}\\x{3400}-\\x{9fff}\\x{f900}-\\x{faff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(japanese);
}

class EnglishWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::EnsureQtApp(); }

    void SetUp() override {
        QSettings(QStringLiteral("ZORVEK"), QStringLiteral("keldra")).clear();
        ASSERT_TRUE(InstallLanguage(Language::English)) << "keldra_en.qm not found in " << TranslationsFolder().toStdString();
        form = std::make_unique<TForm1>(state, QSize(800, 600));
        form->setDialogs(&dialogs);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override {
        form.reset();
        UninstallLanguage();
    }

    // Every text `root` and its children show, each with where it was found.
    // The language menu's title and "日本語" read the same in every language.
    void expectNoJapanese(QWidget* root, const std::string& when) {
        std::vector<std::pair<std::string, QString>> shown{{"caption", root->windowTitle()}};
        QList<QWidget*> widgets = root->findChildren<QWidget*>();
        widgets.prepend(root);
        for (QWidget* w : widgets) {
            const std::string name = w->metaObject()->className() + std::string(" ") + w->objectName().toStdString();
            shown.push_back({name + " tool tip", w->toolTip()});
            if (auto* b = qobject_cast<QAbstractButton*>(w)) shown.push_back({name, b->text()});
            if (auto* l = qobject_cast<QLabel*>(w)) shown.push_back({name, l->text()});
            if (auto* e = qobject_cast<QLineEdit*>(w)) shown.push_back({name, e->text()});
            if (auto* m = qobject_cast<QPlainTextEdit*>(w)) shown.push_back({name, m->toPlainText()});
            if (auto* m = qobject_cast<QMenu*>(w); m && m != form->Language1) shown.push_back({name, m->title()});
            for (QAction* a : w->actions()) {
                if (a == form->Japanese1 || a == form->Language1->menuAction()) continue;
                shown.push_back({"action " + a->text().toStdString(), a->text()});
                shown.push_back({"action tool tip", a->toolTip()});
            }
        }
        for (const std::string& m : dialogs.messages) shown.push_back({"message", QString::fromStdString(m)});
        for (const auto& [where, text] : shown) {
            EXPECT_FALSE(holdsJapanese(text)) << when << ": " << where << " shows \"" << text.toStdString() << "\"";
        }
    }

    Session state;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

TEST_F(EnglishWindow, ShowsNoJapaneseAfterTheCommandsThatMakeTexts) {
    expectNoJapanese(form.get(), "at start");
    expectNoJapanese(form->Form2, "the help window");
    EXPECT_EQ(form->windowTitle().toStdString(), "ZORVEK VER 2.05");
    EXPECT_EQ(form->Label2->text().toStdString(), "Black to play and kill only");

    // a refused stone code, then a problem; 検証 on it; a move where black
    // cannot play; a step past the last problem of the folder
    QTemporaryDir dir;
    std::string bad;
    for (int line = 1; line <= 169; ++line) bad += line == 3 ? "5\r\n" : "0\r\n";
    std::ofstream(QFile::encodeName(dir.filePath("bad.go")).toStdString(), std::ios::binary) << bad;
    dialogs.openAnswers.push_back(dir.filePath("bad.go"));
    form->Open1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], "Line 3: '5' is not a stone code (0, 1, 2)");

    dialogs.openAnswers.push_back(QString::fromUtf8(KELDRA_SOURCE_DIR "/problems/09-which-side.go"));
    form->Open1->trigger();
    form->Prove1->trigger();
    const QStringList memo = form->Memo1->toPlainText().split('\n');
    EXPECT_EQ(memo.value(0).toStdString(), "Black kills (unconditionally)");
    EXPECT_TRUE(memo.value(1).startsWith("Killing moves: ")) << memo.value(1).toStdString();
    form->Button6Click();  // to play mode
    EXPECT_EQ(form->Button6->text().toStdString(), "Play");
    form->Next1->trigger();
    expectNoJapanese(form.get(), "after the commands");
}

// Study mode on straight three: a wrong first move judged, refuted and
// offered again; then 解答図 on the prover's proof tree.
TEST_F(EnglishWindow, StudyModeAndTheSolutionTreeSpeakEnglish) {
    QTemporaryDir folder;
    const QString problem = folder.filePath(QStringLiteral("three.go"));
    ASSERT_TRUE(WriteProblemFile(problem.toStdString(), test::BoardFromPicture(R"(
        . . . O X . . . . . . . .
        O O O O X . . . . . . . .
        X X X X X . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .)"),
                                 nullptr));
    MemoryProgressStore progress;
    form->logic().SetProgressStore(&progress);
    form->Study1->setChecked(true);
    dialogs.openAnswers.push_back(problem);
    form->Button12->click();
    const int cell = state.window.CellSize;
    QTest::mouseClick(form->BAN1, Qt::LeftButton, {}, QPoint(1 * cell, 1 * cell));
    const std::string memo = form->Memo1->toPlainText().toStdString();
    EXPECT_EQ(memo.rfind("three.go 0/1 solved\nWrong\n", 0), 0u) << memo;
    EXPECT_NE(memo.find("White lives at 2 1\nR: try again"), std::string::npos) << memo;
    expectNoJapanese(form.get(), "after a wrong move in study mode");

    std::vector<std::string> rows;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* window = qobject_cast<TForm3*>(QApplication::activeModalWidget());
        if (!window) return;
        poll.stop();
        expectNoJapanese(window, "the solution tree window");
        for (int row = 0; row < window->List1->count(); ++row) rows.push_back(window->List1->item(row)->text().toStdString());
        EXPECT_EQ(window->Label1->text().toStdString(), "Solution tree from the proof: Black kills (unconditionally)");
        window->reject();
    });
    poll.start(20);
    form->SolutionTree1->trigger();
    ASSERT_FALSE(rows.empty());
    EXPECT_NE(std::find(rows.begin(), rows.end(), "○ Black 2 1 Correct"), rows.end());
    for (const std::string& row : rows) EXPECT_FALSE(holdsJapanese(QString::fromStdString(row))) << row;
}

// The language menu: three choices, the one remembered checked, a change
// remembered for the next window and said in both languages.
TEST_F(EnglishWindow, LanguageMenuRemembersTheChoice) {
    EXPECT_EQ(form->Language1->title().toStdString(), "言語 / Language");
    EXPECT_TRUE(form->SystemLanguage1->isChecked());
    EXPECT_EQ(form->SystemLanguage1->text().toStdString(), "System language");
    const struct {
        QAction* TForm1::*item;
        Language remembered;
    } cases[] = {{&TForm1::English1, Language::English},
                 {&TForm1::Japanese1, Language::Japanese},
                 {&TForm1::SystemLanguage1, Language::System}};
    for (const auto& c : cases) {
        dialogs.messages.clear();
        (form.get()->*c.item)->trigger();
        EXPECT_EQ(ChosenLanguage(), c.remembered);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_NE(dialogs.messages[0].find("The language changes at the next start."), std::string::npos);
        Session other;
        TForm1 next(other, QSize(800, 600));
        EXPECT_TRUE((next.*c.item)->isChecked());
    }
    EXPECT_TRUE(SpeaksEnglish(Language::English));
    EXPECT_FALSE(SpeaksEnglish(Language::Japanese));
}

}  // namespace
}  // namespace keldra
