#include "app/SingleInstance.h"

#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace {

constexpr char kRaise[] = "raise\n";

QString UserName() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = QString::number(::getuid());
    return user;
}

// Tells the running instance to raise its window; it may still be starting, so try a while.
bool AskToRaise(const QString& serverName) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(serverName);
        if (socket.waitForConnected(250)) {
            socket.write(kRaise);
            socket.waitForBytesWritten(500);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

}  // namespace

CSingleInstance::CSingleInstance(const QString& name) {
    // The socket and its lock file live in the user's runtime folder, so sessions of other
    // users (and tests with their own runtime folder) never meet.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    serverName_ = folder + QStringLiteral("/") + name + QStringLiteral("-") + UserName();
    lockPath_ = serverName_ + QStringLiteral(".lock");
}

CSingleInstance::~CSingleInstance() {
    if (server_) server_->close();
}

bool CSingleInstance::Acquire() {
    lock_ = std::make_unique<QLockFile>(lockPath_);
    // A lock left by a crashed instance is recognised as stale and taken over.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        AskToRaise(serverName_);
        return false;
    }
    // A socket file left by a crash would make listen() fail.
    QLocalServer::removeServer(serverName_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->listen(serverName_);
    QObject::connect(server_.get(), &QLocalServer::newConnection, [this] { AcceptConnection(); });
    return true;
}

void CSingleInstance::AcceptConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            QByteArray data = socket->readAll();
            // Only a real request raises the window; empty or foreign payloads are ignored.
            if (data.startsWith(QByteArray(kRaise).trimmed()) && raise_) raise_();
        });
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}
