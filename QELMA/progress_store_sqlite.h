// The progress store in a small SQLite database: one row per collection
// file and game tree. A damaged file is set aside and a new one begun; a
// locked, read-only or full one gives one message and the window goes on.
#pragma once

#include <QElapsedTimer>
#include <QString>

#include "QELMA/logic/progress.h"

namespace keldra {

class SqliteProgressStore : public ProgressStore {
public:
    // The database at `path`, opened at the first use.
    explicit SqliteProgressStore(QString path);
    ~SqliteProgressStore() override;
    SqliteProgressStore(const SqliteProgressStore&) = delete;
    SqliteProgressStore& operator=(const SqliteProgressStore&) = delete;

    std::map<int, ProblemResult> ResultsOf(const std::string& file) override;
    bool Keep(const std::string& file, int tree, ProblemResult result) override;
    std::string TakeMessage() override;

    // The file a damaged database was moved to (empty when none was).
    const QString& SetAside() const { return setAside_; }

private:
    bool open();
    bool openConnection();
    void closeConnection();
    void cannotWrite(const QString& why);

    QString path_;
    QString connection_;
    bool opened_ = false;
    bool failed_ = false;      // could not be opened: results stay in memory
    bool toldUnwritable_ = false;
    QElapsedTimer lockedSince_;  // a read found the file locked: reads wait a while
    QString setAside_;
    std::string message_;
    MemoryProgressStore fallback_;  // what this run keeps when the file cannot
};

// progress.sqlite in the user's data folder for the program.
QString DefaultProgressPath();

}  // namespace keldra
