// The running instance's side of the hand-over: a local socket named per
// user, where a later start sends the file it was given (or nothing, to bring
// the window to the front), one line per connection, answered with "ok".
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace keldra {

class InstanceServer : public QObject {
    Q_OBJECT

public:
    explicit InstanceServer(QObject* parent = nullptr);

    // Listens at `socketPath`, first removing a socket left there by an
    // instance that ended or no longer answers. False when it cannot listen.
    bool listen(const QString& socketPath);

signals:
    // A later start asked for `path` (absolute; empty: only come to the front).
    // Emitted after the answer went out, so a message box the opening shows
    // does not keep the other start waiting.
    void requested(const QString& path);

private:
    void serve(QLocalSocket* socket);

    QLocalServer* server_;
};

}  // namespace keldra
