#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

// One running program per user: a lock file and a local socket in the user's runtime folder
// ($XDG_RUNTIME_DIR). A lock left by a crashed program is taken over. A second start tells the
// first to come to the front and ends.
class CSingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role { First, Second, Failed };

    // folder: where lock and socket live; empty means the user's runtime folder.
    explicit CSingleInstance(QString folder = {});
    ~CSingleInstance() override;

    // Takes the lock. First: this process runs and listens for later starts. Second: another
    // process holds the lock; it has been told to come to the front (a message is sent without
    // waiting for any answer). Failed: the folder is unusable; the program runs on its own.
    Role Acquire();

    QString LockPath() const;
    QString SocketPath() const;

signals:
    // A later start asked this one to come to the front.
    void ActivateRequested();

private:
    void OnConnection();
    bool TellFirst();

    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};
