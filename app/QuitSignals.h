#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP end the program the same way the tray's "exit" does (threads
// stopped, devices closed, lock released) instead of killing it mid-transfer. The signal
// handler only writes a byte to a socket pair; the event loop does the rest.
class CQuitSignals : public QObject {
    Q_OBJECT
public:
    explicit CQuitSignals(QObject* parent = nullptr);
    ~CQuitSignals() override;
    bool Installed() const { return notifier_ != nullptr; }

signals:
    void QuitRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};
