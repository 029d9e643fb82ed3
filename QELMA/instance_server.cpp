#include "QELMA/instance_server.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace keldra {

namespace {

constexpr qint64 MaxRequestBytes = 64 * 1024;  // a path, with room to spare
constexpr int RequestTimeoutMs = 2000;

}  // namespace

InstanceServer::InstanceServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) serve(socket);
    });
}

bool InstanceServer::listen(const QString& socketPath) {
    QLocalServer::removeServer(socketPath);
    return server_->listen(socketPath);
}

// Reads the request line as it arrives; a client that sends no full line in
// time, or too much, is dropped.
void InstanceServer::serve(QLocalSocket* socket) {
    QTimer::singleShot(RequestTimeoutMs, socket, &QLocalSocket::abort);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > MaxRequestBytes) socket->abort();
            return;
        }
        const QByteArray line = socket->readLine(MaxRequestBytes).chopped(1);
        socket->write("ok\n");
        socket->flush();
        socket->disconnectFromServer();
        const QString path = QFile::decodeName(line);
        QTimer::singleShot(0, this, [this, path] { emit requested(path); });
    });
}

}  // namespace keldra
