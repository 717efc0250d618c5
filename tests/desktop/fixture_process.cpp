#include "desktop/fixture_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <thread>

extern char** environ;

namespace desk {
namespace {

// Pids of children still alive, killed at exit so that a failed assertion
// that skips a destructor never leaves an X server behind.
std::mutex g_live_lock;
std::set<pid_t> g_live;

void kill_leftovers() {
    std::lock_guard lock(g_live_lock);
    for (pid_t pid : g_live) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    g_live.clear();
}

void track(pid_t pid) {
    static std::once_flag once;
    std::call_once(once, [] { std::atexit(kill_leftovers); });
    std::lock_guard lock(g_live_lock);
    g_live.insert(pid);
}

void untrack(pid_t pid) {
    std::lock_guard lock(g_live_lock);
    g_live.erase(pid);
}

std::vector<char*> c_strings(const std::vector<std::string>& items) {
    std::vector<char*> out;
    for (const auto& s : items) out.push_back(const_cast<char*>(s.c_str()));
    out.push_back(nullptr);
    return out;
}

// Runs in the child between fork and exec: async-signal-safe calls only.
[[noreturn]] void exec_child(pid_t parent, char** argv, char** envp, int out_fd, int err_fd,
                             int keep_fd) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);  // the parent died before prctl
    setpgid(0, 0);                        // keyboard signals to the test runner stay with it
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    int devnull = open("/dev/null", O_RDONLY);
    dup2(devnull, 0);
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    if (keep_fd >= 0) {
        dup2(keep_fd, 3);
        fcntl(3, F_SETFD, 0);
    }
    for (int fd = keep_fd >= 0 ? 4 : 3; fd < 1024; ++fd) close(fd);
    execvpe(argv[0], argv, envp);
    _exit(127);
}

pid_t spawn(const std::vector<std::string>& argv, const Env& env, int out_fd, int err_fd,
            int keep_fd) {
    if (argv.empty()) return -1;
    auto args = c_strings(argv);
    auto envs = c_strings(env);
    pid_t parent = getpid();
    pid_t pid = fork();
    if (pid == 0) exec_child(parent, args.data(), envs.data(), out_fd, err_fd, keep_fd);
    if (pid > 0) track(pid);
    return pid;
}

}  // namespace

Env make_env(const Env& overrides) {
    std::map<std::string, std::string> vars;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        auto eq = entry.find('=');
        if (eq != std::string::npos) vars[entry.substr(0, eq)] = entry;
    }
    for (const auto& entry : overrides) {
        auto eq = entry.find('=');
        if (eq == std::string::npos) continue;
        if (eq + 1 == entry.size())
            vars.erase(entry.substr(0, eq));
        else
            vars[entry.substr(0, eq)] = entry;
    }
    Env out;
    for (auto& [name, entry] : vars) out.push_back(entry);
    return out;
}

Process::~Process() {
    stop();
}

Process::Process(Process&& other) noexcept {
    *this = std::move(other);
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        stop();
        m_pid = other.m_pid;
        m_status = other.m_status;
        other.m_pid = -1;
        other.m_status = -1;
    }
    return *this;
}

bool Process::start(const std::vector<std::string>& argv, const Env& env,
                    const std::string& log_path, int keep_fd) {
    stop();
    m_status = -1;
    int out = log_path.empty()
                  ? open("/dev/null", O_WRONLY | O_CLOEXEC)
                  : open(log_path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (out < 0) return false;
    m_pid = spawn(argv, env, out, out, keep_fd);
    close(out);
    if (m_pid < 0) return false;
    // An exec failure shows as an immediate exit with 127.
    if (wait_exit(30ms) && exit_code() == 127) return false;
    return true;
}

void Process::reap(int wait_status) {
    m_status = wait_status;
    untrack(m_pid);
    m_pid = -1;
}

bool Process::running() {
    if (m_pid < 0) return false;
    int st = 0;
    if (waitpid(m_pid, &st, WNOHANG) == m_pid) {
        reap(st);
        return false;
    }
    return true;
}

int Process::exit_code() const {
    return m_status >= 0 && WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
}

bool Process::send(int signal_number) {
    return m_pid > 0 && kill(m_pid, signal_number) == 0;
}

bool Process::wait_exit(Millis timeout) {
    return poll_until([this] { return !running(); }, timeout, 5ms);
}

void Process::stop(int signal_number, Millis grace) {
    if (m_pid < 0) return;
    send(signal_number);
    if (wait_exit(grace)) return;
    send(SIGKILL);
    int st = 0;
    waitpid(m_pid, &st, 0);
    reap(st);
}

RunResult run(const std::vector<std::string>& argv, const Env& env, Millis timeout) {
    RunResult result;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return result;
    int err = open("/dev/null", O_WRONLY | O_CLOEXEC);
    pid_t pid = spawn(argv, env, fds[1], err, -1);
    close(fds[1]);
    close(err);
    if (pid < 0) {
        close(fds[0]);
        return result;
    }
    auto deadline = std::chrono::steady_clock::now() + timeout;
    char buffer[4096];
    for (;;) {
        auto left = std::chrono::duration_cast<Millis>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        result.out.append(buffer, static_cast<size_t>(n));
    }
    close(fds[0]);
    int st = 0;
    bool ended = poll_until(
        [&] { return waitpid(pid, &st, WNOHANG) == pid; },
        std::chrono::duration_cast<Millis>(deadline - std::chrono::steady_clock::now()) + 50ms,
        2ms);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &st, 0);
    } else if (WIFEXITED(st)) {
        result.exit_code = WEXITSTATUS(st);
    }
    untrack(pid);
    return result;
}

bool poll_until(const std::function<bool()>& condition, Millis timeout, Millis step) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(step);
    }
}

}  // namespace desk
