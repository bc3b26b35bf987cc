// SPDX-License-Identifier: MIT
#include "sim/sim_serial_line.h"

#include <algorithm>

namespace ryvorn::sim {

using namespace ryvorn::dle;

SimSerialLine::SimSerialLine(SimController& controller, SimFaults& faults, std::vector<uint8_t> addresses)
    : Controller_(controller),
      Faults_(faults),
      Addresses_(std::move(addresses)),
      Decoder_(DleFrameDecoder::Options{
          .Hunt = true, .ExpectedAddress = std::nullopt, .SeedWithAddress = true, .MaxBody = 512 + 1}) {}

std::vector<WireReply> SimSerialLine::Feed(std::span<const uint8_t> bytes) {
    std::vector<WireReply> replies;
    for (uint8_t b : bytes) {
        const auto r = Decoder_.Feed(b);
        if (r == DleFrameDecoder::Result::Invalid) {
            ++BadFrames_;
            Decoder_.Reset();
        } else if (r == DleFrameDecoder::Result::Complete) {
            const uint8_t address = Decoder_.Address();
            const auto payload = Decoder_.Payload();
            if (std::find(Addresses_.begin(), Addresses_.end(), address) == Addresses_.end()) continue;
            ++Frames_;
            if (OnFrame) OnFrame(address, payload);
            if (auto reply = Answer(address, payload)) replies.push_back(std::move(*reply));
        }
    }
    return replies;
}

std::optional<WireReply> SimSerialLine::Answer(uint8_t address, std::span<const uint8_t> request) {
    const ReplyFaults f = Faults_.TakeForReply();
    auto reply = Controller_.Reply(request, f);
    if (!reply) return std::nullopt;
    const Bytes& payload = *reply;
    const uint8_t from = f.WrongAddress ? static_cast<uint8_t>(address ^ 0x01) : address;

    WireReply w;
    w.Delay = f.Delay;
    w.GapBefore = f.GapBefore;
    w.Gap = f.Gap;
    w.Data = {DLE, STX, from};
    if (from == DLE) w.Data.push_back(DLE);
    if (f.BadEscape) {
        w.Data.push_back(DLE);
        w.Data.push_back(0x41);
    }
    if (!f.EmptyBody) {
        // A wrong checksum: seeded one off, so the receiver's total misses 0xFF.
        const uint8_t seed = static_cast<uint8_t>(from + (f.BadChecksum ? 1 : 0));
        const Bytes body = EncodeBody(payload, seed);
        w.Data.insert(w.Data.end(), body.begin(), body.end());
    }
    w.Data.push_back(DLE);
    w.Data.push_back(ETX);
    return w;
}

}  // namespace ryvorn::sim
