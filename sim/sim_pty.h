// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "sim/sim_serial_line.h"

namespace ryvorn::sim {

// The serial front end: a pty whose slave end the tool opens as its serial port.
// The simulator keeps a slave descriptor of its own open, so that the tool can close
// and reopen the port (its line reset) without the master seeing a hang-up.
class SimPty {
public:
    SimPty(SimController& controller, SimFaults& faults, std::vector<uint8_t> addresses);
    ~SimPty();

    bool Open(std::string& error);
    const std::string& SlavePath() const { return SlavePath_; }
    // Replies go out at this many bits per second (10 bits per byte), and a request is
    // answered no earlier than its own bytes would have taken; 0 = at once.
    void SetPacing(uint32_t baud) { Baud_ = baud; }
    void Start();
    void Stop();

    std::function<void(const std::string&)> Log;
    SimSerialLine& Line() { return Line_; }

private:
    void Run();
    void Send(const WireReply& reply, std::chrono::steady_clock::time_point earliest);

    SimSerialLine Line_;
    int Master_ = -1;
    int Slave_ = -1;
    int StopFd_ = -1;
    std::string SlavePath_;
    uint32_t Baud_ = 0;
    std::thread Thread_;
};

}  // namespace ryvorn::sim
