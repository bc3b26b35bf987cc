// SPDX-License-Identifier: MIT
#include "tests/support/sim_process.h"

namespace ryvorn::testing {

std::string SimProgram() { return RYVORN_SIM_PROGRAM; }
std::string CliProgram() { return RYVORN_CLI_PROGRAM; }

namespace {
std::vector<std::string> SimArguments(std::vector<std::string> extra, bool log) {
    std::vector<std::string> argv{SimProgram(), "--pty", "--udp", "127.0.0.2:0"};
    if (log) argv.push_back("--log");
    argv.insert(argv.end(), extra.begin(), extra.end());
    return argv;
}
}  // namespace

SimProcess::SimProcess(std::vector<std::string> extra, bool log) : Process_(SimArguments(std::move(extra), log)) {
    using namespace std::chrono_literals;
    const auto pty = Process_.WaitFor("pty: ", 5s);
    const auto udp = Process_.WaitFor("udp: ", 5s);
    if (!pty || !udp || !Process_.WaitFor("ready", 5s)) return;
    Pty_ = *pty;
    const auto colon = udp->rfind(':');
    UdpHost_ = udp->substr(0, colon);
    UdpPort_ = udp->substr(colon + 1);
    Ready_ = true;
}

bool SimProcess::Command(const std::string& line) {
    return Query(line) == "ok";
}

std::optional<std::string> SimProcess::Query(const std::string& line) {
    using namespace std::chrono_literals;
    Process_.WriteLine(line);
    // Request log lines ("rx ...") may come first; the next other line is the answer.
    for (;;) {
        auto answer = Process_.ReadLine(5s);
        if (!answer || answer->rfind("rx ", 0) != 0) return answer;
    }
}

RunResult RunCli(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{CliProgram()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return Run(argv);
}

}  // namespace ryvorn::testing
