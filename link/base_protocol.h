// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

#include "link/com_medium.h"
#include "link/timeout.h"

namespace ryvorn {

class TOXProt;

// A payload is at most 512 bytes in either direction.
constexpr size_t MaxPayload = 512;

// The frame protocol over one transport: builds a frame from a payload, sends it,
// receives and checks the reply and hands out its payload. Used by the protocol
// thread and, directly, by the identification and flash commands (Transact on the
// scratch payload) while normal traffic is stopped.
class TBaseProtocol {
public:
    explicit TBaseProtocol(TComMedium* medium) : Medium_(medium) {}
    virtual ~TBaseProtocol() = default;
    TBaseProtocol(const TBaseProtocol&) = delete;
    TBaseProtocol& operator=(const TBaseProtocol&) = delete;

    virtual void SetAddress(int32_t address) { Address_ = address; }
    virtual void SetHeaderByte(uint8_t header) { HeaderByte_ = header; }
    virtual bool Open() = 0;
    virtual bool IsOpen() const = 0;
    // Closes the transport if open; true when it is closed afterwards.
    virtual bool Close();
    virtual bool SendFrame() = 0;
    virtual bool ReceiveFrame() = 0;
    virtual bool Transact() = 0;
    // False (and nothing built) for a payload longer than the frame can carry.
    virtual bool BuildFrame(const uint8_t* payload, uint16_t length) = 0;
    // Copies the reply payload (at most MaxPayload bytes) to destination.
    virtual void GetReply(uint8_t* destination, uint16_t& length) = 0;
    virtual void SetTimeout(uint16_t milliseconds) { Timeout_ = milliseconds; }
    virtual void FlushLog() {}
    // The line reset of serial links (close, reopen, break, 0xFF, purge); nothing on UDP.
    virtual void Reset() {}

    int32_t Address() const { return Address_; }
    uint8_t HeaderByte() const { return HeaderByte_; }
    uint16_t Timeout() const { return Timeout_; }
    uint8_t Retries() const { return Retries_; }
    void SetRetries(uint8_t retries) { Retries_ = retries; }
    TComMedium* Medium() const { return Medium_; }
    TOXProt* Owner() const { return Owner_; }
    void SetOwner(TOXProt* owner) { Owner_ = owner; }

    // The scratch payload of the basic commands.
    std::array<uint8_t, MaxPayload>& Scratch() { return Scratch_; }

protected:
    TComMedium* Medium_;
    TOXProt* Owner_ = nullptr;
    int32_t Address_ = 0;
    uint8_t HeaderByte_ = 0;
    uint8_t Retries_ = 5;
    uint16_t Timeout_ = 500;
    TTimeout Deadline_;
    std::array<uint8_t, MaxPayload> Scratch_{};
};

}  // namespace ryvorn
