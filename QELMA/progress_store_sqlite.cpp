#include "QELMA/progress_store_sqlite.h"

#include <atomic>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include "QELMA/logic/study_texts.h"

namespace keldra {

namespace {

// SQLite's result codes for a file that is not a sound database.
bool isDamage(const QSqlError& e) {
    const QString code = e.nativeErrorCode();
    return code == QLatin1String("11") || code == QLatin1String("26");  // SQLITE_CORRUPT, SQLITE_NOTADB
}

std::string utf8(const QString& s) { return s.toUtf8().toStdString(); }

}  // namespace

QString DefaultProgressPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/progress.sqlite");
}

SqliteProgressStore::SqliteProgressStore(QString path) : path_(std::move(path)) {
    static std::atomic<int> serial{0};
    connection_ = QStringLiteral("keldra-progress-%1").arg(++serial);
}

SqliteProgressStore::~SqliteProgressStore() { closeConnection(); }

void SqliteProgressStore::closeConnection() {
    if (!QSqlDatabase::contains(connection_)) return;
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
}

// Opens the file and makes sure its table is there. A lock held elsewhere
// is waited for a fifth of a second at most.
bool SqliteProgressStore::openConnection() {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=200"));
    return db.open();
}

bool SqliteProgressStore::open() {
    if (opened_) return true;
    if (failed_) return false;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!openConnection()) break;
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        QSqlQuery check(db);
        bool sound = check.exec(QStringLiteral("PRAGMA quick_check")) && check.next() &&
                     check.value(0).toString() == QLatin1String("ok");
        QSqlError error = check.lastError();
        check.finish();
        if (sound) {
            QSqlQuery create(db);
            sound = create.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS progress ("
                                               "file TEXT NOT NULL, tree INTEGER NOT NULL, result INTEGER NOT NULL, "
                                               "PRIMARY KEY (file, tree))"));
            error = create.lastError();
            if (sound) {
                opened_ = true;
                return true;
            }
        }
        // A file that is not a sound database goes aside under a new name;
        // a locked or unreadable one stays as it is.
        const bool damaged = !error.isValid() || isDamage(error);
        closeConnection();
        if (!damaged || attempt > 0) {
            cannotWrite(error.databaseText());
            break;
        }
        setAside_ = path_ + QStringLiteral(".damaged-") +
                    QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        if (!QFile::rename(path_, setAside_)) {
            setAside_.clear();
            cannotWrite(QStringLiteral("rename"));
            break;
        }
        message_ = Fill(Tr(study_text::StoreDamaged), {utf8(QFileInfo(setAside_).fileName())});
    }
    closeConnection();
    failed_ = true;
    return false;
}

void SqliteProgressStore::cannotWrite(const QString& why) {
    if (toldUnwritable_) return;
    toldUnwritable_ = true;
    if (message_.empty()) message_ = Fill(Tr(study_text::StoreUnwritable), {utf8(why.isEmpty() ? path_ : why)});
}

std::map<int, ProblemResult> SqliteProgressStore::ResultsOf(const std::string& file) {
    std::map<int, ProblemResult> results = fallback_.ResultsOf(file);
    // While another program holds the file, a step through many problems
    // must not wait on every one of them.
    constexpr qint64 LockedPauseMs = 5000;
    if (lockedSince_.isValid() && lockedSince_.elapsed() < LockedPauseMs) return results;
    if (!open()) return results;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT tree, result FROM progress WHERE file = ?"));
    q.addBindValue(QByteArray::fromStdString(file));  // the path's bytes, whatever they are
    if (!q.exec()) {  // locked for the moment: what this run knows
        lockedSince_.start();
        return results;
    }
    lockedSince_.invalidate();
    while (q.next()) {
        const int result = q.value(1).toInt();
        if (result < 0 || result > static_cast<int>(ProblemResult::Failed)) continue;
        results.emplace(q.value(0).toInt(), static_cast<ProblemResult>(result));
    }
    return results;
}

// One transaction a result: the row is there whole or not at all.
bool SqliteProgressStore::Keep(const std::string& file, int tree, ProblemResult result) {
    fallback_.Keep(file, tree, result);
    if (!open()) return false;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction()) {
        cannotWrite(db.lastError().databaseText());
        return false;
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO progress (file, tree, result) VALUES (?, ?, ?)"));
    q.addBindValue(QByteArray::fromStdString(file));  // the path's bytes, whatever they are
    q.addBindValue(tree);
    q.addBindValue(static_cast<int>(result));
    if (!q.exec() || !db.commit()) {
        const QString why = q.lastError().isValid() ? q.lastError().databaseText() : db.lastError().databaseText();
        db.rollback();
        cannotWrite(why);
        return false;
    }
    return true;
}

std::string SqliteProgressStore::TakeMessage() { return std::exchange(message_, std::string()); }

}  // namespace keldra
