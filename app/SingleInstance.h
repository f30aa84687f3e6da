// One running Vimbro per user: the first instance holds a lock file and listens on a local
// socket named after the window title; a later start asks it to raise its window (and to
// import the files the later start was given) and ends.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

class CSingleInstance {
public:
    // name: the guard's name ("ZEL VimbroSuite"); the user name is added to it.
    explicit CSingleInstance(const QString& name);
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // True when this process is the first instance (it then listens for later starts). False
    // when another instance runs; that instance has been asked to raise its window and to
    // open `files` (absolute paths).
    bool Acquire(const QStringList& files = {});

    // Called in the first instance whenever a later start asks for the window.
    void OnRaiseRequest(std::function<void()> handler) { raise_ = std::move(handler); }
    // Called in the first instance, after the raise, when a later start brings files.
    void OnOpenRequest(std::function<void(const QStringList&)> handler) { open_ = std::move(handler); }

    QString serverName() const { return serverName_; }

    // The request a later start sends: "raise", then one absolute path per line.
    static QByteArray EncodeRequest(const QStringList& files);
    // False for anything but a request: empty, foreign, or too long. Lines that are not
    // absolute paths are dropped.
    static bool DecodeRequest(const QByteArray& data, QStringList* files);
    // Requests longer than this are refused whole.
    static constexpr qsizetype kMaxRequest = 1 << 20;

private:
    void AcceptConnection();
    void Handle(const QByteArray& data);

    QString serverName_;
    QString lockPath_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> raise_;
    std::function<void(const QStringList&)> open_;
};
