// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "link/com_medium.h"
#include "sim/sim_serial_line.h"

namespace ryvorn::sim {

// The in-process form of the simulated controller on a serial line, for fast unit
// tests: what the tool writes goes straight to the controller, and the reply bytes
// become readable at the time they would arrive (delays, gaps and an optional baud
// rate taken into account).
class SimLineMedium : public TComMedium {
public:
    using Clock = std::chrono::steady_clock;

    SimLineMedium(SimController& controller, SimFaults& faults, std::vector<uint8_t> addresses = {0});

    bool Open(uint16_t rxQueueSize, uint16_t txQueueSize) override;
    bool IsOpen() const override;
    void Close() override;
    void SetBreak(bool on) override;
    uint32_t Read(uint8_t* buffer, uint32_t count) override;
    uint32_t Write(const uint8_t* buffer, uint32_t count) override;
    void Purge() override;
    uint32_t ClearErrors() override;
    uint32_t GetRxdQue() override;
    bool WaitForData(std::chrono::milliseconds timeout) override;

    // Replies are paced at this many bits per second (10 bits per byte); 0 = at once.
    void SetPacing(uint32_t baud) { Baud_ = baud; }
    // Everything the tool wrote, in order.
    Bytes Written() const;
    int Opens() const { return Opens_; }
    int Breaks() const { return Breaks_; }
    // Lets tests refuse to open, like a port that does not exist.
    void SetOpenFails(bool fails) { OpenFails_ = fails; }
    SimSerialLine& Line() { return Line_; }

private:
    struct TimedByte {
        Clock::time_point At;
        uint8_t Value;
    };
    size_t ArrivedLocked(Clock::time_point now) const;

    SimSerialLine Line_;
    mutable std::mutex Mutex_;
    std::condition_variable Arrival_;
    std::deque<TimedByte> Incoming_;
    Bytes Written_;
    bool Open_ = false;
    bool OpenFails_ = false;
    int Opens_ = 0;
    int Breaks_ = 0;
    uint32_t Baud_ = 0;
};

}  // namespace ryvorn::sim
