// Shared by the window tests: the application, scripted dialogs, and a
// shown main window on fresh state.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "QELMA/tform1.h"

namespace keldra::test {

// The QApplication: created on first use, destroyed after the last test
// (while Qt's own globals still exist).
class QtAppEnvironment : public ::testing::Environment {
public:
    static void Ensure() {
        if (app_) return;
        // The windows read and write their settings in a folder of the test
        // run, never the user's.
        QStandardPaths::setTestModeEnabled(true);
        static QTemporaryDir settings;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        static int argc = 1;
        static char name[] = "keldra_qt_tests";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

private:
    static inline QApplication* app_ = nullptr;
};

inline ::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

inline void EnsureQtApp() { QtAppEnvironment::Ensure(); }

// White's bent three in the corner: black kills at the vital point (1, 1)
// and loses the group's chance with (1, 2), which white captures at once.
inline constexpr const char* BentThree = R"(
    . . O X . . . . . . . . .
    . O O X . . . . . . . . .
    O O X X . . . . . . . . .
    X X X . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .)";

class ScriptedDialogs : public WindowDialogs {
public:
    std::vector<std::string> messages;
    // The paths the file dialogs answer with in turn; none left cancels.
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;

    void message(QWidget*, const QString& text) override { messages.push_back(text.toStdString()); }
    std::optional<QString> openFile(QWidget*) override { return next(openAnswers); }
    std::optional<QString> saveFile(QWidget*) override { return next(saveAnswers); }

private:
    static std::optional<QString> next(std::deque<QString>& answers) {
        if (answers.empty()) return std::nullopt;
        const QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A main window laid out for an 800x600 screen (CellSize 38), shown.
class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureQtApp(); }

    void SetUp() override {
        form.setDialogs(&dialogs);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    // A press and release of `button` on the centre of point (x, y).
    void clickPoint(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        const int cell = state.window.CellSize;
        QTest::mouseClick(form.BAN1, button, {}, QPoint(x * cell, y * cell));
    }

    Session state;
    ScriptedDialogs dialogs;
    TForm1 form{state, QSize(800, 600)};
};

}  // namespace keldra::test
