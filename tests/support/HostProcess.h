// Runs the built command-line host (TRACKDECK_BIN_DIR/aurion), or another program,
// as a child process with the test's environment (its own registry and system
// folder, see ScopedEnvironment), standard input from /dev/null, and standard output
// and standard error captured. A child that outlives its time limit is killed and
// reported as timed out, so a hanging host fails its test instead of the run.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace aurion::test {

struct HostRun {
    int ExitStatus = -1;  // the exit status, or -1 when the child did not exit normally
    int TermSignal = 0;   // the signal that ended the child, if one did
    bool TimedOut = false;
    bool NoTerminal = false;  // the machine gave no pseudo-terminal, so nothing ran
    std::string Out;
    std::string Err;
};

[[nodiscard]] std::string HostProgram();

class HostProcess {
public:
    // Starts the host; Started() tells whether it runs.
    explicit HostProcess(const std::vector<std::string>& args);
    // Starts another program (a path) the same way.
    HostProcess(const std::string& program, const std::vector<std::string>& args);
    ~HostProcess();
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    [[nodiscard]] bool Started() const { return m_pid > 0; }
    // True while the child has not exited (does not reap it).
    [[nodiscard]] bool Running() const;
    void SendSignal(int signal);
    // Collects the output until the child ends, then reaps it.
    HostRun Wait(std::chrono::seconds limit = std::chrono::seconds(120));

private:
    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
};

// Starts the host, waits for it and returns what it did.
[[nodiscard]] HostRun RunHost(const std::vector<std::string>& args,
                              std::chrono::seconds limit = std::chrono::seconds(120));

// Starts another program (a path), waits for it and returns what it did.
[[nodiscard]] HostRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                                 std::chrono::seconds limit = std::chrono::seconds(120));

// What a user types on the terminal: the keys, once the output shows `After`.
struct TerminalKeys {
    std::string Keys;
    std::string After;
};

// Runs the host with a pseudo-terminal as its standard input, output and error
// (what the user sees); Err stays empty, Out holds everything.
[[nodiscard]] HostRun RunHostOnTerminal(const std::vector<std::string>& args,
                                        std::chrono::seconds limit = std::chrono::seconds(120),
                                        const TerminalKeys& keys = {});

}  // namespace aurion::test
