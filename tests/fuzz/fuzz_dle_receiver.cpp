// SPDX-License-Identifier: MIT
// The serial receiver fed with arbitrary line bytes: the pure decoder in both of its
// modes, and the protocol's receive path (deadlines, line reset) over a memory line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>

#include "link/dle_frame.h"
#include "link/varnel.h"

namespace {

using namespace ryvorn;

// A line whose incoming bytes are the fuzzer's input; nothing more ever arrives.
class MemoryLine : public TComMedium {
public:
    MemoryLine(const uint8_t* data, size_t size) : Rx_(data, data + size) {}
    bool Open(uint16_t rx, uint16_t tx) override {
        Open_ = true;
        TComMedium::Open(rx, tx);
        return true;
    }
    bool IsOpen() const override { return Open_; }
    void Close() override { Open_ = false; }
    uint32_t Read(uint8_t* b, uint32_t n) override {
        // Hand the bytes out in small, uneven pieces, as a serial driver does.
        const uint32_t k = std::min<uint32_t>({n, static_cast<uint32_t>(Rx_.size()), 1 + Pieces_++ % 7});
        for (uint32_t i = 0; i < k; ++i) b[i] = Rx_[i];
        Rx_.erase(Rx_.begin(), Rx_.begin() + k);
        return k;
    }
    uint32_t Write(const uint8_t*, uint32_t n) override { return Open_ ? n : 0; }
    uint32_t GetRxdQue() override { return static_cast<uint32_t>(Rx_.size()); }
    bool WaitForData(std::chrono::milliseconds) override { return !Rx_.empty(); }

private:
    std::deque<uint8_t> Rx_;
    bool Open_ = false;
    uint32_t Pieces_ = 0;
};

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool hunt : {false, true}) {
        DleFrameDecoder d({.Hunt = hunt, .ExpectedAddress = std::nullopt, .SeedWithAddress = true});
        for (size_t i = 0; i < size; ++i) {
            const auto r = d.Feed(data[i]);
            if (r == DleFrameDecoder::Result::Complete) {
                Check(d.Payload().size() <= dle::MaxPayload);
                // A good frame encodes back to a frame with the same payload.
                const auto again = dle::EncodeFrame(d.Address(), d.Payload(), true);
                DleFrameDecoder check;
                DleFrameDecoder::Result cr = DleFrameDecoder::Result::NeedMore;
                for (uint8_t b : again) cr = check.Feed(b);
                Check(cr == DleFrameDecoder::Result::Complete);
            }
            if (r != DleFrameDecoder::Result::NeedMore && !hunt) break;
        }
    }
    for (bool noHandshake : {true, false}) {
        MemoryLine line(data, size);
        TVArnel protocol(&line);
        protocol.SetNoHandshake(noHandshake);
        protocol.SetBreakTime(0);
        protocol.SetTimeout(1);
        protocol.SetRetries(2);
        protocol.Open();
        protocol.SetAddress(size > 0 ? data[0] : 0);
        if (protocol.ReceiveFrame()) {
            uint8_t reply[MaxPayload];
            uint16_t n = 0;
            protocol.GetReply(reply, n);
            Check(n <= dle::MaxPayload);
        }
    }
    return 0;
}
