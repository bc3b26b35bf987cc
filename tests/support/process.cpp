// SPDX-License-Identifier: MIT
#include "tests/support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace ryvorn::testing {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> Argv(const std::vector<std::string>& argv) {
    std::vector<char*> out;
    for (const auto& a : argv) out.push_back(const_cast<char*>(a.c_str()));
    out.push_back(nullptr);
    return out;
}

int PollMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<long long>(0, left));
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    auto args = Argv(argv);
    if (::posix_spawn(&Pid_, args[0], &actions, nullptr, args.data(), environ) != 0) Pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    In_ = in[1];
    Out_ = out[0];
    Reader_ = std::thread([this] { ReadOutput(); });
}

ChildProcess::~ChildProcess() { Stop(); }

void ChildProcess::ReadOutput() {
    std::string buffer;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(Out_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        buffer.append(chunk, static_cast<size_t>(n));
        size_t start = 0;
        std::vector<std::string> lines;
        for (size_t nl; (nl = buffer.find('\n', start)) != std::string::npos; start = nl + 1) {
            lines.push_back(buffer.substr(start, nl - start));
        }
        buffer.erase(0, start);
        if (lines.empty()) continue;
        {
            std::lock_guard lock(Mutex_);
            for (auto& l : lines) Pending_.push_back(std::move(l));
        }
        Arrived_.notify_all();
    }
    {
        std::lock_guard lock(Mutex_);
        Ended_ = true;
    }
    Arrived_.notify_all();
}

void ChildProcess::Stop() {
    if (Pid_ > 0) {
        ::kill(Pid_, SIGTERM);
        ::waitpid(Pid_, nullptr, 0);
        Pid_ = -1;
    }
    if (In_ >= 0) ::close(In_);
    // The program has ended, so its output reaches its end and the reader stops.
    if (Reader_.joinable()) Reader_.join();
    if (Out_ >= 0) ::close(Out_);
    In_ = Out_ = -1;
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout) {
    std::unique_lock lock(Mutex_);
    if (!Arrived_.wait_for(lock, timeout, [this] { return !Pending_.empty() || Ended_; }) || Pending_.empty()) {
        return std::nullopt;
    }
    std::string line = std::move(Pending_.front());
    Pending_.pop_front();
    lock.unlock();
    Lines_.push_back(line);
    return line;
}

std::optional<std::string> ChildProcess::WaitFor(const std::string& prefix, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        const auto line = ReadLine(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));
        if (!line) return std::nullopt;
        if (line->rfind(prefix, 0) == 0) return line->substr(prefix.size());
    }
    return std::nullopt;
}

void ChildProcess::WriteLine(const std::string& line) {
    const std::string text = line + "\n";
    if (::write(In_, text.data(), text.size()) < 0) return;
}

RunResult Run(const std::vector<std::string>& argv, std::chrono::milliseconds limit,
              const std::vector<std::string>& extraEnvironment) {
    RunResult result;
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.insert(env.end(), extraEnvironment.begin(), extraEnvironment.end());
    auto args = Argv(argv);
    auto envp = Argv(env);
    pid_t pid = -1;
    const bool spawned = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    const auto deadline = Clock::now() + limit;
    bool outOpen = spawned, errOpen = spawned;
    while (outOpen || errOpen) {
        pollfd p[2] = {{out[0], static_cast<short>(outOpen ? POLLIN : 0), 0},
                       {err[0], static_cast<short>(errOpen ? POLLIN : 0), 0}};
        const int r = ::poll(p, 2, PollMs(deadline));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            ::kill(pid, SIGKILL);
            break;
        }
        char chunk[4096];
        for (int i = 0; i < 2; ++i) {
            if (!(p[i].revents & (POLLIN | POLLHUP))) continue;
            const ssize_t n = ::read(p[i].fd, chunk, sizeof chunk);
            if (n <= 0) {
                (i == 0 ? outOpen : errOpen) = false;
            } else {
                (i == 0 ? result.Out : result.Err).append(chunk, static_cast<size_t>(n));
            }
        }
    }
    ::close(out[0]);
    ::close(err[0]);
    if (spawned) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return result;
}

}  // namespace ryvorn::testing
