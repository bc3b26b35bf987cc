// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace ryvorn::testing {

// A program started for a test: its standard input is ours to write, its standard
// output is read line by line with deadlines. A thread of its own reads the output as
// it comes, so a chatty program never blocks on a full pipe while the test is busy
// elsewhere. Stopped by its process id.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return Pid_ > 0; }
    pid_t Pid() const { return Pid_; }
    // The next line of output, or nullopt when none came before the deadline.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // Reads lines until one starts with prefix; returns the rest of that line.
    std::optional<std::string> WaitFor(const std::string& prefix, std::chrono::milliseconds timeout);
    void WriteLine(const std::string& line);
    // Every line read so far.
    const std::vector<std::string>& Lines() const { return Lines_; }
    void Stop();

private:
    void ReadOutput();

    pid_t Pid_ = -1;
    int In_ = -1;
    int Out_ = -1;
    std::thread Reader_;
    std::mutex Mutex_;
    std::condition_variable Arrived_;
    std::deque<std::string> Pending_;  // read, not yet taken by ReadLine
    bool Ended_ = false;
    std::vector<std::string> Lines_;
};

struct RunResult {
    int ExitCode = -1;  // -1: killed at the deadline
    std::string Out;
    std::string Err;
};

// Runs a program to its end (killed after the deadline) and collects its output.
RunResult Run(const std::vector<std::string>& argv, std::chrono::milliseconds deadline = std::chrono::seconds(20),
              const std::vector<std::string>& extraEnvironment = {});

}  // namespace ryvorn::testing
