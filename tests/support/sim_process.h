// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/support/process.h"

namespace ryvorn::testing {

// ryvorn-sim started for one test: on its own pty and on an ephemeral UDP port of
// 127.0.0.2. Control commands ("fault ...", "identity ...") go to its standard input.
class SimProcess {
public:
    // With log, the simulator prints every request it receives (tests count them);
    // a caller that sends thousands of requests and never reads must turn it off.
    explicit SimProcess(std::vector<std::string> extraArguments = {}, bool log = true);

    bool Ready() const { return Ready_; }
    const std::string& PtyPath() const { return Pty_; }
    const std::string& UdpHost() const { return UdpHost_; }
    const std::string& UdpPort() const { return UdpPort_; }
    // Sends a control command and waits for its answer line; true on "ok".
    bool Command(const std::string& line);
    // Sends a control command and returns its answer line ("io 17 1", "ok", "error: ..."),
    // nullopt when none came in time.
    std::optional<std::string> Query(const std::string& line);
    // Link options for ryvorn-cli, serial or UDP.
    std::vector<std::string> SerialOptions() const { return {"--serial", Pty_}; }
    std::vector<std::string> UdpOptions() const { return {"--udp", UdpHost_, "--remote-port", UdpPort_}; }
    ChildProcess& Process() { return Process_; }

private:
    ChildProcess Process_;
    bool Ready_ = false;
    std::string Pty_;
    std::string UdpHost_;
    std::string UdpPort_;
};

// Paths of the programs under test, set by the build.
std::string SimProgram();
std::string CliProgram();

// ryvorn-cli with the given arguments.
RunResult RunCli(const std::vector<std::string>& arguments);

}  // namespace ryvorn::testing
