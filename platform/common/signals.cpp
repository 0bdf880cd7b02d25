#include "platform/common/signals.h"

#include <csignal>

namespace plat::signals {

namespace {

volatile std::sig_atomic_t hangUps = 0;

struct Previous {
    struct sigaction hangUp = {};
    struct sigaction fileSize = {};
    bool watching = false;
};

Previous& previous() {
    static Previous p;
    return p;
}

void onHangUp(int) { hangUps = 1; }

}  // namespace

void watch() {
    Previous& p = previous();
    if (p.watching) return;
    struct sigaction hangUp = {};
    hangUp.sa_handler = onHangUp;
    sigemptyset(&hangUp.sa_mask);
    hangUp.sa_flags = SA_RESTART;
    sigaction(SIGHUP, &hangUp, &p.hangUp);
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, &p.fileSize);
    p.watching = true;
}

void stopWatching() {
    Previous& p = previous();
    if (!p.watching) return;
    sigaction(SIGHUP, &p.hangUp, nullptr);
    sigaction(SIGXFSZ, &p.fileSize, nullptr);
    p.watching = false;
}

bool takeHangUp() {
    if (hangUps == 0) return false;
    hangUps = 0;
    return true;
}

}  // namespace plat::signals
