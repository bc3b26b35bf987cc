// SPDX-License-Identifier: MIT
// ryvorn-sim: a simulated controller that answers the protocol over a pty and UDP.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <memory>
#include <mutex>

#include "sim/sim_commands.h"
#include "sim/sim_pty.h"
#include "sim/sim_udp.h"

using namespace ryvorn::sim;

namespace {

std::mutex OutputMutex;

void Say(const std::string& line) {
    std::lock_guard lock(OutputMutex);
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Simulated weighing and batching controller for ryvorn tools and tests"};
    bool pty = false;
    std::vector<std::string> udpEndpoints;
    std::vector<int> addresses;
    std::vector<std::string> identitySettings;
    std::vector<std::string> faultTexts;
    uint32_t baud = 0;
    bool log = false;
    app.add_flag("--pty", pty, "Answer on a pty; its slave path is printed as 'pty: PATH'");
    app.add_option("--udp", udpEndpoints, "Answer on UDP at IPV4:PORT (port 0: any free port), printed as 'udp: IP:PORT'");
    app.add_option("--address", addresses, "Serial bus address to answer (repeatable; default 0)")
        ->check(CLI::Range(0, 255));
    app.add_option("--identity", identitySettings,
                   "Identity setting KEY=HEX: id, version, build, serial, product, swad (repeatable)");
    app.add_option("--fault", faultTexts, "A fault to start with, e.g. 'notready 3' or 'gap 5 300' (repeatable)");
    app.add_option("--baud", baud, "Pace serial replies at this baud rate (10 bits per byte)");
    app.add_flag("--log", log, "Print every request received");
    CLI11_PARSE(app, argc, argv);

    if (!pty && udpEndpoints.empty()) {
        std::cerr << "ryvorn-sim: nothing to answer on: give --pty and/or --udp IPV4:PORT\n";
        return 2;
    }
    if (addresses.empty()) addresses.push_back(0);

    SimIdentity identity;
    for (const auto& s : identitySettings) {
        std::string error;
        if (!ApplyIdentitySetting(identity, s, error)) {
            std::cerr << "ryvorn-sim: " << error << "\n";
            return 2;
        }
    }
    SimController controller(identity);
    SimFaults faults;
    for (const auto& t : faultTexts) {
        std::string error;
        const auto f = ParseFault(t, error);
        if (!f) {
            std::cerr << "ryvorn-sim: " << error << "\n";
            return 2;
        }
        faults.Add(*f);
    }
    const auto logger = log ? std::function<void(const std::string&)>(Say) : nullptr;

    std::unique_ptr<SimPty> serial;
    if (pty) {
        std::vector<uint8_t> nodes(addresses.begin(), addresses.end());
        serial = std::make_unique<SimPty>(controller, faults, nodes);
        std::string error;
        if (!serial->Open(error)) {
            std::cerr << "ryvorn-sim: " << error << "\n";
            return 1;
        }
        serial->SetPacing(baud);
        serial->Log = logger;
        serial->Start();
        Say("pty: " + serial->SlavePath());
    }
    std::vector<std::unique_ptr<SimUdp>> udp;
    for (const auto& endpoint : udpEndpoints) {
        const auto colon = endpoint.rfind(':');
        const std::string host = colon == std::string::npos ? endpoint : endpoint.substr(0, colon);
        const int port = colon == std::string::npos ? 6768 : std::atoi(endpoint.c_str() + colon + 1);
        auto u = std::make_unique<SimUdp>(controller, faults);
        std::string error;
        if (port < 0 || port > 65535 || !u->Open(host, static_cast<uint16_t>(port), error)) {
            std::cerr << "ryvorn-sim: " << (error.empty() ? "bad port in " + endpoint : error) << "\n";
            return 1;
        }
        u->Log = logger;
        u->Start();
        Say("udp: " + u->Host() + ":" + std::to_string(u->Port()));
        udp.push_back(std::move(u));
    }
    Say("ready");

    for (std::string line; std::getline(std::cin, line);) {
        if (line.empty()) continue;
        if (line == "quit") return 0;
        Say(RunSimCommand(line, controller, faults));
    }
    // Standard input closed: keep answering until stopped by a signal.
    for (;;) ::pause();
}
