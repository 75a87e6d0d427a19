#include "tests/support/HostProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

namespace aurion::test {

namespace {

std::vector<char*> ArgumentVector(const std::string& program, const std::vector<std::string>& args,
                                  std::vector<std::string>& storage) {
    storage.clear();
    storage.push_back(program);
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : storage) argv.push_back(arg.data());
    argv.push_back(nullptr);
    return argv;
}

void Exec(const std::string& program, std::vector<char*>& argv) {
    execv(program.c_str(), argv.data());
    _exit(127);
}

void Reap(pid_t pid, HostRun& run) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) run.ExitStatus = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.TermSignal = WTERMSIG(status);
}

// Reads every given descriptor to its end (or the deadline) into the matching string,
// calling `onRead` after each read.
bool Drain(std::vector<pollfd> fds, std::vector<std::string*> sinks,
           std::chrono::steady_clock::time_point deadline,
           const std::function<void()>& onRead = {}) {
    size_t open = fds.size();
    while (open > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        if (poll(fds.data(), fds.size(), static_cast<int>(left.count())) < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        for (size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(got));
                if (onRead) onRead();
            } else if (got == 0 || errno != EINTR) {
                // End of file; a pseudo-terminal reports EIO once the child has gone.
                fds[i].fd = -1;
                --open;
            }
        }
    }
    return true;
}

}  // namespace

std::string HostProgram() { return TRACKDECK_BIN_DIR "/aurion"; }

HostProcess::HostProcess(const std::vector<std::string>& args) : HostProcess(HostProgram(), args) {}

HostProcess::HostProcess(const std::string& program, const std::vector<std::string>& args) {
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0) return;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return;
    }
    std::vector<std::string> storage;
    std::vector<char*> argv = ArgumentVector(program, args, storage);
    m_pid = fork();
    if (m_pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        dup2(in, STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        Exec(program, argv);
    }
    close(out[1]);
    close(err[1]);
    m_out = out[0];
    m_err = err[0];
    if (m_pid < 0) {
        close(m_out);
        close(m_err);
        m_out = m_err = -1;
    }
}

HostProcess::~HostProcess() {
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }
    if (m_out >= 0) close(m_out);
    if (m_err >= 0) close(m_err);
}

bool HostProcess::Running() const {
    if (m_pid <= 0) return false;
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
        return false;
    }
    return info.si_pid == 0;
}

void HostProcess::SendSignal(int signal) {
    if (m_pid > 0) kill(m_pid, signal);
}

HostRun HostProcess::Wait(std::chrono::seconds limit) {
    HostRun run;
    if (m_pid <= 0) return run;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::vector<pollfd> fds{{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
    if (!Drain(fds, {&run.Out, &run.Err}, deadline)) {
        run.TimedOut = true;
        kill(m_pid, SIGKILL);
    }
    Reap(m_pid, run);
    m_pid = -1;
    return run;
}

HostRun RunHost(const std::vector<std::string>& args, std::chrono::seconds limit) {
    HostProcess process(args);
    return process.Wait(limit);
}

HostRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                   std::chrono::seconds limit) {
    HostProcess process(program, args);
    return process.Wait(limit);
}

HostRun RunHostOnTerminal(const std::vector<std::string>& args, std::chrono::seconds limit,
                          const TerminalKeys& keys) {
    HostRun run;
    std::vector<std::string> storage;
    const std::string program = HostProgram();
    std::vector<char*> argv = ArgumentVector(program, args, storage);
    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid < 0) {
        run.NoTerminal = true;
        return run;
    }
    if (pid == 0) Exec(program, argv);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    bool typed = keys.Keys.empty();
    const auto type = [&] {
        if (typed || run.Out.find(keys.After) == std::string::npos) return;
        typed = true;
        (void)!write(terminal, keys.Keys.data(), keys.Keys.size());
    };
    if (!Drain({{terminal, POLLIN, 0}}, {&run.Out}, deadline, type)) {
        run.TimedOut = true;
        kill(pid, SIGKILL);
    }
    close(terminal);
    Reap(pid, run);
    return run;
}

}  // namespace aurion::test
