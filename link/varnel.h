// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "link/base_protocol.h"
#include "link/dle_frame.h"

namespace ryvorn {

// DLE/STX framing of serial and USB-serial links. In the no-handshake mode (the one
// the application uses) the reply must come from the request's address and the
// checksum includes the address; in the handshake mode each side acknowledges the
// header and the frame with DLE ACK (or DLE NAK for a bad frame).
class TVArnel : public TBaseProtocol {
public:
    explicit TVArnel(TComMedium* medium);

    bool Open() override;
    bool IsOpen() const override { return Medium_ && Medium_->IsOpen(); }
    bool SendFrame() override;
    bool ReceiveFrame() override;
    bool Transact() override;
    bool BuildFrame(const uint8_t* payload, uint16_t length) override;
    void GetReply(uint8_t* destination, uint16_t& length) override;
    void Reset() override;

    bool NoHandshake() const { return NoHandshake_; }
    void SetNoHandshake(bool on) { NoHandshake_ = on; }
    uint16_t BreakTime() const { return BreakTime_; }
    void SetBreakTime(uint16_t ms) { BreakTime_ = ms; }

    // Why the last receive failed, for diagnostics and tests.
    DleFrameDecoder::Fault LastFault() const { return LastFault_; }
    bool LastTimedOut() const { return LastTimedOut_; }

private:
    enum class ByteResult { Ok, Timeout, LineError };
    ByteResult ReadByte(uint8_t& b);
    bool WriteAll(const uint8_t* data, size_t count);
    bool WaitAck();
    bool ReceiveOnce();
    void SendControl(uint8_t control);

    bool NoHandshake_ = false;
    uint16_t BreakTime_ = 100;
    std::vector<uint8_t> TransmitFrame_;  // escaped payload and checksum
    std::array<uint8_t, MaxPayload> ReceiveFrame_{};
    uint16_t ReceiveLength_ = 0;
    // Bytes read from the transport but not yet taken by the receiver.
    std::array<uint8_t, 256> Pending_{};
    size_t PendingPos_ = 0;
    size_t PendingLen_ = 0;
    DleFrameDecoder::Fault LastFault_ = DleFrameDecoder::Fault::None;
    bool LastTimedOut_ = false;
};

}  // namespace ryvorn
