// One running Vimbro per user: the first instance holds a lock file and listens on a local
// socket named after the window title; a later start asks it to raise its window and ends.
#pragma once

#include <QObject>
#include <QString>

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
    // when another instance runs; that instance has been asked to raise its window.
    bool Acquire();

    // Called in the first instance whenever a later start asks for the window.
    void OnRaiseRequest(std::function<void()> handler) { raise_ = std::move(handler); }

    QString serverName() const { return serverName_; }

private:
    void AcceptConnection();

    QString serverName_;
    QString lockPath_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> raise_;
};
