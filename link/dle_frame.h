// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ryvorn {

// The DLE/STX frame of serial links:
//   DLE STX address payload checksum DLE ETX
// with every 0x10 of the address, the payload and the checksum doubled. The checksum
// is the complement of the byte sum of the payload, seeded with the address in the
// no-handshake mode and with 0 in the handshake mode; a receiver's total over the
// (undoubled) address (when seeded), payload and checksum is 0xFF.
namespace dle {

constexpr uint8_t DLE = 0x10;
constexpr uint8_t STX = 0x02;
constexpr uint8_t ETX = 0x03;
constexpr uint8_t ACK = 0x06;
constexpr uint8_t NAK = 0x15;

// The body is payload plus checksum, so a frame carries at most 510 payload bytes.
constexpr size_t MaxBody = 511;
constexpr size_t MaxPayload = MaxBody - 1;

uint8_t Checksum(std::span<const uint8_t> payload, uint8_t seed);
// The escaped payload followed by the (escaped) checksum.
std::vector<uint8_t> EncodeBody(std::span<const uint8_t> payload, uint8_t seed);
// A whole frame, header and trailer included.
std::vector<uint8_t> EncodeFrame(uint8_t address, std::span<const uint8_t> payload, bool seedWithAddress);

}  // namespace dle

// Reads a frame byte by byte. Feed answers NeedMore, Complete or Invalid; the header
// (DLE STX address) is reported once through HeaderComplete().
class DleFrameDecoder {
public:
    enum class Result { NeedMore, Complete, Invalid };
    enum class Fault { None, BadStart, WrongAddress, BadAddressEscape, BadEscape, Oversize, Empty, Checksum };

    struct Options {
        // Skip bytes until DLE STX (a controller listening on a line) instead of
        // failing on the first unexpected byte (the tool waiting for its reply).
        bool Hunt = false;
        // Only this address is accepted, when set.
        std::optional<uint8_t> ExpectedAddress;
        // The checksum includes the address (no-handshake mode).
        bool SeedWithAddress = true;
        // The longest body (payload and checksum) accepted. A controller takes
        // requests of a full 512-byte payload; its replies carry at most 510.
        size_t MaxBody = dle::MaxBody;
    };

    DleFrameDecoder() = default;
    explicit DleFrameDecoder(Options options) : Options_(options) {}

    void Reset();
    Result Feed(uint8_t byte);

    // Bytes taken since the frame started (after hunting), escapes included.
    size_t BytesSeen() const { return Seen_; }
    bool HeaderComplete() const { return State_ >= State::Body; }
    uint8_t Address() const { return Address_; }
    // The payload of a complete frame (the body without its checksum).
    std::span<const uint8_t> Payload() const;
    Fault LastFault() const { return Fault_; }

private:
    enum class State { Start, Stx, Addr, AddrEscape, Body, BodyEscape, Done };
    Result Fail(Fault fault);

    Options Options_;
    State State_ = State::Start;
    size_t Seen_ = 0;
    uint8_t Address_ = 0;
    uint8_t Sum_ = 0;
    std::vector<uint8_t> Body_;
    Fault Fault_ = Fault::None;
};

}  // namespace ryvorn
