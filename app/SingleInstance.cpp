#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include "base/Trace.h"

namespace {

constexpr char kActivate[] = "activate\n";
// Bounds for talking to the first instance; it answers at once unless it hangs.
constexpr int kConnectTimeoutMs = 500;

QString RuntimeFolder() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    return folder;
}

}  // namespace

CSingleInstance::CSingleInstance(QString folder)
    : folder_(folder.isEmpty() ? RuntimeFolder() : std::move(folder)) {}

CSingleInstance::~CSingleInstance() {
    if (server_ != nullptr) {
        server_->close();
    }
    if (lock_) {
        lock_->unlock();
    }
}

QString CSingleInstance::LockPath() const {
    return folder_ + QStringLiteral("/zorvath-config.lock");
}

QString CSingleInstance::SocketPath() const {
    return folder_ + QStringLiteral("/zorvath-config.socket");
}

CSingleInstance::Role CSingleInstance::Acquire() {
    if (folder_.isEmpty() || !QDir().mkpath(folder_)) {
        trace::Line("single instance: no runtime folder");
        return Role::Failed;
    }
    lock_ = std::make_unique<QLockFile>(LockPath());
    // Only a lock whose process is gone is stale; a long-running first instance keeps its lock.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        if (lock_->error() == QLockFile::LockFailedError) {
            lock_.reset();
            trace::Line("single instance: another instance runs; asking it to come forward");
            TellFirst();
            return Role::Second;
        }
        trace::Line("single instance: lock file unusable");
        lock_.reset();
        return Role::Failed;
    }
    // The socket of a crashed instance may be left behind.
    QLocalServer::removeServer(SocketPath());
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(SocketPath())) {
        trace::Line("single instance: cannot listen: " + server_->errorString().toStdString());
    }
    connect(server_, &QLocalServer::newConnection, this, &CSingleInstance::OnConnection);
    return Role::First;
}

bool CSingleInstance::TellFirst() {
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(kConnectTimeoutMs)) {
        return false;
    }
    socket.write(kActivate);
    const bool written = socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return written;
}

void CSingleInstance::OnConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // Only a whole first line counts; anything else a stranger sends is ignored.
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > 64) {
                    socket->abort();
                }
                return;
            }
            const QByteArray line = socket->readLine(64);
            socket->readAll();
            if (line == kActivate) {
                emit ActivateRequested();
            }
        });
    }
}
