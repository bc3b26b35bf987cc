// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "link/dle_frame.h"
#include "sim/sim_controller.h"
#include "sim/sim_faults.h"

namespace ryvorn::sim {

// The bytes of one reply as they go on the line: after Delay, the bytes, with a pause
// of Gap before byte GapBefore.
struct WireReply {
    Bytes Data;
    std::chrono::milliseconds Delay{0};
    std::optional<size_t> GapBefore;
    std::chrono::milliseconds Gap{0};
};

// The controller end of a serial line: hunts for DLE STX frames in the bytes it is
// fed, answers the frames addressed to one of its bus addresses (no-handshake mode),
// and applies the fault knobs to each reply.
class SimSerialLine {
public:
    SimSerialLine(SimController& controller, SimFaults& faults, std::vector<uint8_t> addresses);

    std::vector<WireReply> Feed(std::span<const uint8_t> bytes);

    uint64_t FramesReceived() const { return Frames_; }
    uint64_t BadFrames() const { return BadFrames_; }
    // Called for every good frame addressed to us (address, payload), for the log.
    std::function<void(uint8_t, std::span<const uint8_t>)> OnFrame;

private:
    std::optional<WireReply> Answer(uint8_t address, std::span<const uint8_t> payload);

    SimController& Controller_;
    SimFaults& Faults_;
    std::vector<uint8_t> Addresses_;
    DleFrameDecoder Decoder_;
    std::atomic<uint64_t> Frames_{0};
    std::atomic<uint64_t> BadFrames_{0};
};

}  // namespace ryvorn::sim
