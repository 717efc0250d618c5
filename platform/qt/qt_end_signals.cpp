// Termination requests (SIGTERM, SIGHUP, SIGINT) become a call on the
// user-interface thread: the handler only writes a byte to a pipe, and a
// socket notifier on the loop reads it, so the program ends through its
// normal end, with its clean-up, instead of dying inside a signal handler.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <utility>

#include "platform/qt/qt_internal.h"

namespace plat {
namespace {

int g_pipe[2] = {-1, -1};
std::function<void()> g_request;

void on_signal(int) {
    const int saved = errno;
    const char byte = 1;
    (void)!write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

bool on_end_request(std::function<void()> request) {
    if (!window_system_ready() || g_pipe[0] >= 0) return false;
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    g_request = std::move(request);
    auto* notifier =
        new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char bytes[16];
        while (read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        if (g_request) g_request();
    });
    struct sigaction action {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGHUP, SIGINT}) sigaction(number, &action, nullptr);
    return true;
}

}  // namespace plat
