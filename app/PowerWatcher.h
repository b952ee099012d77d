#pragma once

#include <QObject>

class CMainWnd;

// Suspend and resume: logind's PrepareForSleep signal on the system bus. Without a system bus
// (containers, tests) nothing is watched.
class CPowerWatcher : public QObject {
    Q_OBJECT
public:
    static CPowerWatcher* Watch(CMainWnd* window);

public slots:
    void OnPrepareForSleep(bool sleeping);

private:
    explicit CPowerWatcher(CMainWnd* window);
    CMainWnd* window_;
};
