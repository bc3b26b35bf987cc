// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "link/base_protocol.h"
#include "link/ox_request.h"

namespace ryvorn {

class TOXProt;
class TEncrypt;

// Result of TOXcFunc::Execute.
enum TOxExecResult : uint8_t {
    oxOk = 0,            // reply received
    oxNoReply = 1,       // no valid reply (transmit failed, time-out, checksum, address, too long)
    oxNotCompleted = 5,  // the request was not completed
    oxNoProtocol = 6,    // no protocol thread
    oxWaitFailed = 7,    // waiting for completion failed
    oxLinkClosed = 9,    // the link is not open
};

// The meaning of a result code, as the tools print it.
const char* ExecResultText(int result);

// The request and reply buffer of one module: build a payload, execute it through the
// protocol thread, parse the reply. Reads never go past the reply that arrived: a
// position beyond it reads 0.
class TOXcFunc {
public:
    explicit TOXcFunc(int32_t address = 0, uint8_t headerByte = 0) : Address_(address), HeaderByte_(headerByte) {}

    void SetCommand(uint8_t interfaceNumber, uint8_t function);
    void SetCommand1(uint8_t command);
    void AddByte(uint8_t value);
    void AddWord(int32_t value);  // 16 bits, high byte first
    void AddLong(int64_t value);  // 32 bits, most significant byte first
    void AddString(const std::string& text);
    void AddBytes(const uint8_t* data, size_t count);

    // Synchronous: queues the payload and waits for the protocol thread. Timeout 0
    // means the thread's default.
    TOxExecResult Execute(TOXProt* protocol, uint16_t timeout = 0);

    uint8_t GetByte();
    int8_t GetSignedByte();
    uint16_t GetWord();
    int16_t GetSignedWord();
    uint32_t GetLong();
    int32_t GetSignedLong();
    std::string GetString();
    // The byte at a position of the reply, 0 beyond it.
    uint8_t ByteAt(size_t position) const;

    uint16_t ReplyLength() const { return ReplyLength_; }
    bool ReplyIs(char verdict) const;
    uint16_t ReadPosition() const { return ReadPosition_; }
    void SetReadPosition(uint16_t position) { ReadPosition_ = position; }

    void EncryptRequest(TEncrypt* scrambler);
    void EncryptReply(TEncrypt* scrambler);

    int32_t Address() const { return Address_; }
    void SetAddress(int32_t address) { Address_ = address; }
    uint8_t HeaderByte() const { return HeaderByte_; }
    uint16_t RequestLength() const { return Length_; }
    TOxExecResult LastResult() const { return Result_; }
    const std::array<uint8_t, MaxPayload>& Payload() const { return Payload_; }
    // True when more was appended than a payload holds; Execute then refuses it.
    bool Overflowed() const { return Overflow_; }
    // Resends after "not ready" replies during the last Execute.
    uint16_t NotReadyResends() const { return Request_.NotReadyResends; }

private:
    void Scramble(TEncrypt* scrambler, uint16_t length);

    int32_t Address_;
    uint8_t HeaderByte_;
    std::array<uint8_t, MaxPayload> Payload_{};
    uint16_t Length_ = 0;
    uint16_t ReplyLength_ = 0;
    uint16_t ReadPosition_ = 0;
    bool Overflow_ = false;
    TOxExecResult Result_ = oxNotCompleted;
    TOxRequest Request_;
};

}  // namespace ryvorn
