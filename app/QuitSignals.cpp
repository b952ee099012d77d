#include "app/QuitSignals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

#include "base/Trace.h"

namespace {

int gSignalFds[2] = {-1, -1};
constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};

void OnQuitSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(gSignalFds[0], &byte, 1);
}

}  // namespace

CQuitSignals::CQuitSignals(QObject* parent) : QObject(parent) {
    if (gSignalFds[0] >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gSignalFds) != 0) {
        return;
    }
    notifier_ = new QSocketNotifier(gSignalFds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(gSignalFds[1], bytes, sizeof bytes) > 0) {
        }
        trace::Line("quit signal received");
        emit QuitRequested();
    });
    struct sigaction action = {};
    action.sa_handler = &OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kQuitSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

CQuitSignals::~CQuitSignals() {
    if (notifier_ == nullptr) {
        return;
    }
    for (int signal : kQuitSignals) {
        std::signal(signal, SIG_DFL);
    }
    delete notifier_;
    notifier_ = nullptr;
    ::close(gSignalFds[0]);
    ::close(gSignalFds[1]);
    gSignalFds[0] = gSignalFds[1] = -1;
}
