// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <thread>

#include "sim/sim_controller.h"
#include "sim/sim_faults.h"

namespace ryvorn::sim {

// The UDP front end: a controller on a loopback address and port. Requests are
// datagrams of a 4-byte header and the payload; replies go back to the sender with
// the same header.
class SimUdp {
public:
    SimUdp(SimController& controller, SimFaults& faults);
    ~SimUdp();

    // host is dotted IPv4 text, port 0 lets the system choose.
    bool Open(const std::string& host, uint16_t port, std::string& error);
    uint16_t Port() const { return Port_; }
    const std::string& Host() const { return Host_; }
    void Start();
    void Stop();

    std::function<void(const std::string&)> Log;
    uint64_t Requests() const { return Requests_; }

private:
    void Run();
    void Answer(const uint8_t* datagram, size_t length, const void* sender, unsigned senderLength);

    SimController& Controller_;
    SimFaults& Faults_;
    int Fd_ = -1;
    int ForeignFd_ = -1;
    int StopFd_ = -1;
    std::string Host_;
    uint16_t Port_ = 0;
    std::thread Thread_;
    std::atomic<uint64_t> Requests_{0};
};

}  // namespace ryvorn::sim
