#include "app/SingleInstance.h"

#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <memory>

namespace {

constexpr char kRaise[] = "raise";

QString UserName() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = QString::number(::getuid());
    return user;
}

// Sends the request to the running instance; it may still be starting, so try a while. The
// end of the connection ends the request.
bool AskToRaise(const QString& serverName, const QByteArray& request) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(serverName);
        if (socket.waitForConnected(250)) {
            socket.write(request);
            while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(2000)) {
            }
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(1000);
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

QByteArray CSingleInstance::EncodeRequest(const QStringList& files) {
    QByteArray data = QByteArray(kRaise) + '\n';
    for (const QString& file : files) {
        // A name with a line break cannot travel in this request; it stays behind.
        if (file.contains(QLatin1Char('\n')) || !file.startsWith(QLatin1Char('/'))) continue;
        data += file.toUtf8() + '\n';
    }
    return data;
}

bool CSingleInstance::DecodeRequest(const QByteArray& data, QStringList* files) {
    if (files) files->clear();
    if (data.size() > kMaxRequest) return false;
    const QList<QByteArray> lines = data.split('\n');
    if (lines.isEmpty() || lines.front() != kRaise) return false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (!lines[i].startsWith('/') || !files) continue;
        files->append(QString::fromUtf8(lines[i]));
    }
    return true;
}

bool CSingleInstance::Acquire(const QStringList& files) {
    lock_ = std::make_unique<QLockFile>(lockPath_);
    // A lock left by a crashed instance is recognised as stale and taken over.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        AskToRaise(serverName_, EncodeRequest(files));
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
        // The request is complete when the later start hangs up; until then it only gathers,
        // and a flood past the limit is dropped at once.
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, buffer] {
            buffer->append(socket->readAll());
            if (buffer->size() > kMaxRequest) socket->abort();
        });
        QObject::connect(socket, &QLocalSocket::disconnected, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            socket->deleteLater();
            Handle(*buffer);
        });
    }
}

void CSingleInstance::Handle(const QByteArray& data) {
    QStringList files;
    // Only a real request raises the window; empty or foreign payloads are ignored.
    if (!DecodeRequest(data, &files)) return;
    if (raise_) raise_();
    if (!files.isEmpty() && open_) open_(files);
}
