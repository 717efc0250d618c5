#pragma once
// Child processes of the desktop tests: every program the fixture needs (X
// server, window manager, tray host, sound server, recorders, the clock) is a
// direct child, started with an explicit environment and stopped by its pid.
// Children die with the test program even when it crashes (parent-death
// signal) and are killed at exit when a test forgot them.
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace desk {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

// "NAME=value" entries.
using Env = std::vector<std::string>;

// The test program's own environment with `overrides` replacing or adding
// entries; an override "NAME=" without value removes NAME.
Env make_env(const Env& overrides);

class Process {
public:
    Process() = default;
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts argv[0] (searched in PATH when it has no slash) with exactly
    // `env`. Standard output and error go to `log_path` (appended), or to
    // /dev/null when it is empty. `keep_fd`, when not -1, is passed to the
    // child as descriptor 3. False when the program could not be executed.
    bool start(const std::vector<std::string>& argv, const Env& env,
               const std::string& log_path = {}, int keep_fd = -1);

    pid_t pid() const { return m_pid; }
    bool running();
    // The wait status once the process has ended, else -1.
    int status() const { return m_status; }
    // Exit code when it exited normally, else -1.
    int exit_code() const;

    bool send(int signal_number);
    // Waits up to `timeout` for the process to end; true when it has.
    bool wait_exit(Millis timeout);
    // `signal_number`, then SIGKILL after `grace`; always reaps the process.
    void stop(int signal_number = 15, Millis grace = 3000ms);

private:
    void reap(int wait_status);
    pid_t m_pid = -1;
    int m_status = -1;
};

struct RunResult {
    int exit_code = -1;  // -1: killed, timed out or not executed
    std::string out;     // standard output (standard error is dropped)
    bool ok() const { return exit_code == 0; }
};

// Runs a short command to its end, killing it after `timeout`.
RunResult run(const std::vector<std::string>& argv, const Env& env, Millis timeout = 10s);

// Calls `condition` every `step` until it holds or `timeout` passes.
bool poll_until(const std::function<bool()>& condition, Millis timeout, Millis step = 20ms);

}  // namespace desk
