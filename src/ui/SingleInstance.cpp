#include "ui/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

namespace ovb {

namespace {

// A file handed over is one line; anything longer than a path can be is not ours.
constexpr qint64 kMaxMessage = 64 * 1024;
constexpr char kTaken[] = "taken\n";

QString Folder(const QString& folder) {
    if (!folder.isEmpty()) return folder;
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder)
    : path_(QDir(Folder(folder)).filePath(name + ".lock")),
      socketPath_(QDir(Folder(folder)).filePath(name + ".socket")), lock_(path_) {
    // A lock is stale only when its process is gone: the age of the file says nothing, as the
    // editor may run for days.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    release();
}

bool SingleInstance::tryAcquire() {
    return lock_.isLocked() || lock_.tryLock(0);
}

void SingleInstance::release() {
    server_.reset();
    lock_.unlock();
}

bool SingleInstance::listen() {
    if (!held()) return false;
    if (server_) return true;
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Only the lock holder listens, so a socket file left here belongs to a copy that died.
    QLocalServer::removeServer(socketPath_);
    if (!server_->listen(socketPath_)) {
        server_.reset();
        return false;
    }
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { receive(socket); });
            receive(socket);
        }
    });
    return true;
}

void SingleInstance::receive(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxMessage) socket->abort();
        return;
    }
    const QString path = QUrl::fromEncoded(socket->readLine().trimmed()).toLocalFile();
    socket->write(kTaken);
    socket->disconnectFromServer();
    if (!path.isEmpty()) emit fileHandedOver(path);
}

bool SingleInstance::handOver(const QString& path, int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(int(deadline.remainingTime()))) break;
        // The running copy may still be building its window and not listen yet.
        if (deadline.hasExpired()) return false;
        QThread::msleep(100);
    }
    // As a URL the path is one line, whatever characters its name holds.
    socket.write(QUrl::fromLocalFile(path).toEncoded() + '\n');
    QByteArray answer;
    while (!answer.endsWith('\n') && socket.waitForReadyRead(int(deadline.remainingTime())))
        answer += socket.readAll();
    return answer == kTaken;
}

} // namespace ovb
