// SPDX-License-Identifier: MIT
#include "device/basic_commands.h"

#include <initializer_list>
#include <optional>

#include "device/interface_numbers.h"
#include "link/base_protocol.h"

namespace ryvorn {

namespace {

// The reply of one basic command, read in place in the scratch payload; positions
// beyond what arrived read 0.
class ScratchReply {
  public:
    ScratchReply(const std::array<uint8_t, MaxPayload>& scratch, uint16_t length)
        : Data_(scratch), Length_(length) {}

    uint16_t Length() const { return Length_; }
    uint8_t Byte(size_t at) const { return at < Length_ ? Data_[at] : 0; }
    uint16_t Word(size_t at) const { return static_cast<uint16_t>(Byte(at) << 8 | Byte(at + 1)); }
    uint32_t Long(size_t at) const { return static_cast<uint32_t>(Word(at)) << 16 | Word(at + 2); }
    bool Is(char verdict) const { return Length_ == 1 && Data_[0] == static_cast<uint8_t>(verdict); }

  private:
    const std::array<uint8_t, MaxPayload>& Data_;
    uint16_t Length_;
};

// Builds the request in the scratch payload from its bytes; more bytes follow with
// Append.
class ScratchRequest {
  public:
    ScratchRequest(TBaseProtocol& protocol, std::initializer_list<uint8_t> bytes) : Protocol_(protocol) {
        for (uint8_t b : bytes) Append(b);
    }
    void Append(uint8_t b) { Protocol_.Scratch()[Length_++] = b; }
    void AppendLong(uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) Append(static_cast<uint8_t>(v >> shift));
    }

    // Sends it and leaves the reply in the scratch payload.
    std::optional<ScratchReply> Transact() {
        auto& scratch = Protocol_.Scratch();
        if (!Protocol_.BuildFrame(scratch.data(), Length_) || !Protocol_.Transact()) return std::nullopt;
        uint16_t length = 0;
        Protocol_.GetReply(scratch.data(), length);
        return ScratchReply(scratch, length);
    }

  private:
    TBaseProtocol& Protocol_;
    uint16_t Length_ = 0;
};

bool Flushed(TBaseProtocol& protocol, bool ok) {
    if (!ok) protocol.FlushLog();
    return ok;
}

// The flash commands whose one-byte reply answers a yes/no question.
bool FlashQuestion(TBaseProtocol& protocol, uint8_t function, bool& answer) {
    const auto reply = ScratchRequest(protocol, {ifc::SerialFlash, function}).Transact();
    if (!reply || reply->Length() != 1) return Flushed(protocol, false);
    answer = reply->Is('U');
    return true;
}

bool Acknowledged(TBaseProtocol& protocol, const std::optional<ScratchReply>& reply) {
    return Flushed(protocol, reply && reply->Is('U'));
}

}  // namespace

bool OxVersion(TBaseProtocol& protocol, uint16_t& version) {
    const auto reply = ScratchRequest(protocol, {ifc::Version}).Transact();
    if (!reply || reply->Length() <= 2 || reply->Byte(0) != ifc::Version) return false;
    version = reply->Word(1);
    return true;
}

bool OxId(TBaseProtocol& protocol, uint16_t& idCode) {
    const auto reply = ScratchRequest(protocol, {ifc::IdCode}).Transact();
    if (!reply || reply->Length() != 3 || reply->Byte(0) != ifc::IdCode) return false;
    idCode = reply->Word(1);
    return true;
}

bool OxProductCode(TBaseProtocol& protocol, uint16_t& productCode) {
    const auto reply = ScratchRequest(protocol, {ifc::ProductCode, 0xFF}).Transact();
    if (!reply) return false;
    if (reply->Length() == 1) {
        productCode = 0;  // a controller that knows no product code
        return true;
    }
    if (reply->Length() <= 3) return false;
    productCode = reply->Word(2);
    return true;
}

bool OxSwadAvail(TBaseProtocol& protocol, bool& available) {
    const auto reply = ScratchRequest(protocol, {ifc::Swad, 0}).Transact();
    if (!reply || reply->Length() != 1) return false;
    available = reply->Is('U');
    return true;
}

bool OxFlashAvail(TBaseProtocol& protocol, bool& available) {
    return FlashQuestion(protocol, flash::Available, available);
}

bool OxFlashFBoot(TBaseProtocol& protocol, bool& started) {
    return FlashQuestion(protocol, flash::StartBoot, started);
}

bool OxFlashTarget(TBaseProtocol& protocol, bool& flag) {
    return FlashQuestion(protocol, flash::Target, flag);
}

bool OxFlashErase(TBaseProtocol& protocol, uint32_t address) {
    const uint16_t saved = protocol.Timeout();
    protocol.SetTimeout(FlashEraseTimeout);
    ScratchRequest request(protocol, {ifc::SerialFlash, flash::Erase});
    request.AppendLong(address);
    const auto reply = request.Transact();
    protocol.SetTimeout(saved);
    return Acknowledged(protocol, reply);
}

bool OxFlashWrite(TBaseProtocol& protocol, uint32_t address, std::span<const uint8_t> data) {
    if (data.size() > 255) return Flushed(protocol, false);  // the count is one byte
    ScratchRequest request(protocol, {ifc::SerialFlash, flash::Write});
    request.AppendLong(address);
    request.Append(static_cast<uint8_t>(data.size()));
    for (uint8_t b : data) request.Append(b);
    return Acknowledged(protocol, request.Transact());
}

bool OxFlashInfo(TBaseProtocol& protocol, uint32_t address, TFlashInfo& info) {
    ScratchRequest request(protocol, {ifc::SerialFlash, flash::Info});
    request.AppendLong(address);
    const auto reply = request.Transact();
    if (!reply || reply->Length() < 16 || reply->Byte(0) != ifc::SerialFlash ||
        reply->Byte(1) != flash::Info) {
        return Flushed(protocol, false);
    }
    const uint16_t count = reply->Word(14);
    // The sector sizes must all have arrived: a count beyond the reply is a bad reply,
    // not a run of zero-sized sectors.
    if (count == 0 || count > 255 || reply->Length() < 16 + 4 * count) return Flushed(protocol, false);
    TFlashInfo result;
    result.Start = reply->Long(2);
    result.Value1 = reply->Word(6);
    result.Value2 = reply->Word(8);
    result.Size = reply->Long(10);
    for (uint16_t i = 0; i < count; ++i) result.Sectors.push_back(reply->Long(16 + 4 * size_t{i}));
    info = std::move(result);
    return true;
}

}  // namespace ryvorn
