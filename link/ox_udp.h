// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

#include "link/base_protocol.h"
#include "link/com_udp.h"

namespace ryvorn {

// Datagram framing of Ethernet links: a 4-byte header (the header byte and three
// zeros) and the payload unchanged, no escaping and no checksum.
class TOxUdp : public TBaseProtocol {
public:
    static constexpr uint16_t HeaderLength = 4;

    explicit TOxUdp(TComUdp* medium);

    bool Open() override;
    bool IsOpen() const override { return Udp_ && Udp_->IsOpen(); }
    bool SendFrame() override;
    bool ReceiveFrame() override;
    bool Transact() override;
    bool BuildFrame(const uint8_t* payload, uint16_t length) override;
    void GetReply(uint8_t* destination, uint16_t& length) override;
    void FlushLog() override;

    TComUdp* Udp() const { return Udp_; }

private:
    TComUdp* Udp_;
    uint32_t LastAddress_ = 0;  // the destination of the last frame, and its text
    std::string LastAddressText_;
    std::array<uint8_t, HeaderLength + MaxPayload> TransmitFrame_{};
    uint16_t TransmitLength_ = 0;
    std::array<uint8_t, TComUdp::MaxDatagram> ReceiveFrame_{};
    uint16_t ReceiveLength_ = 0;
};

}  // namespace ryvorn
