// SPDX-License-Identifier: MIT
#include "link/oxc_func.h"

#include <algorithm>

#include "link/encrypt.h"
#include "link/ox_prot.h"

namespace ryvorn {

const char* ExecResultText(int result) {
    switch (result) {
        case oxOk: return "reply received";
        case oxNoReply: return "no valid reply";
        case oxNotCompleted: return "the request was not completed";
        case oxNoProtocol: return "no protocol thread";
        case oxWaitFailed: return "waiting for completion failed";
        case oxLinkClosed: return "the link is not open";
        default: return "unknown result";
    }
}

void TOXcFunc::SetCommand(uint8_t interfaceNumber, uint8_t function) {
    Payload_[0] = interfaceNumber;
    Payload_[1] = function;
    Length_ = ReadPosition_ = 2;
    ReplyLength_ = 0;
    Overflow_ = false;
    Result_ = oxNotCompleted;
}

void TOXcFunc::SetCommand1(uint8_t command) {
    Payload_[0] = command;
    Length_ = ReadPosition_ = 1;
    ReplyLength_ = 0;
    Overflow_ = false;
    Result_ = oxNotCompleted;
}

void TOXcFunc::AddByte(uint8_t value) {
    if (Length_ >= MaxPayload) {
        Overflow_ = true;
        return;
    }
    Payload_[Length_++] = value;
}

void TOXcFunc::AddBytes(const uint8_t* data, size_t count) {
    for (size_t i = 0; i < count; ++i) AddByte(data[i]);
}

void TOXcFunc::AddWord(int32_t value) {
    const auto v = static_cast<uint16_t>(value);
    AddByte(static_cast<uint8_t>(v >> 8));
    AddByte(static_cast<uint8_t>(v));
}

void TOXcFunc::AddLong(int64_t value) {
    const auto v = static_cast<uint32_t>(value);
    AddByte(static_cast<uint8_t>(v >> 24));
    AddByte(static_cast<uint8_t>(v >> 16));
    AddByte(static_cast<uint8_t>(v >> 8));
    AddByte(static_cast<uint8_t>(v));
}

void TOXcFunc::AddString(const std::string& text) {
    for (char c : text) AddByte(static_cast<uint8_t>(c));
    AddByte(0);
}

TOxExecResult TOXcFunc::Execute(TOXProt* protocol, uint16_t timeout) {
    ReplyLength_ = 0;
    if (!protocol) return Result_ = oxNoProtocol;
    if (!protocol->LinkOpen()) return Result_ = oxLinkClosed;
    if (Overflow_) return Result_ = oxNoReply;
    if (!protocol->RunNow(Request_, Payload_.data(), timeout, Length_, HeaderByte_, Address_)) {
        auto event = protocol->Enqueue(Request_, Payload_.data(), timeout, Length_, HeaderByte_, Address_);
        if (!event) return Result_ = oxNotCompleted;
        event->Wait();
        if (!Request_.Done) return Result_ = oxNotCompleted;
    }
    if (Request_.Status != TOxRequest::StatusOk) return Result_ = oxNoReply;
    // The reply replaces the request; nothing beyond it is kept, so a shorter reply
    // can never be read with the tail of the request or of an earlier reply.
    std::copy_n(Request_.Reply.begin(), Request_.ReplyLength, Payload_.begin());
    std::fill(Payload_.begin() + Request_.ReplyLength, Payload_.end(), uint8_t{0});
    ReplyLength_ = Request_.ReplyLength;
    return Result_ = oxOk;
}

uint8_t TOXcFunc::ByteAt(size_t position) const { return position < ReplyLength_ ? Payload_[position] : 0; }

uint8_t TOXcFunc::GetByte() {
    const uint8_t b = ByteAt(ReadPosition_);
    if (ReadPosition_ < MaxPayload) ++ReadPosition_;
    return b;
}

int8_t TOXcFunc::GetSignedByte() { return static_cast<int8_t>(GetByte()); }

uint16_t TOXcFunc::GetWord() {
    const uint16_t hi = GetByte();
    return static_cast<uint16_t>((hi << 8) | GetByte());
}

int16_t TOXcFunc::GetSignedWord() { return static_cast<int16_t>(GetWord()); }

uint32_t TOXcFunc::GetLong() {
    const uint32_t hi = GetWord();
    return (hi << 16) | GetWord();
}

int32_t TOXcFunc::GetSignedLong() { return static_cast<int32_t>(GetLong()); }

std::string TOXcFunc::GetString() {
    std::string text;
    while (ReadPosition_ < ReplyLength_ && Payload_[ReadPosition_] != 0) {
        text.push_back(static_cast<char>(Payload_[ReadPosition_++]));
    }
    if (ReadPosition_ < ReplyLength_) ++ReadPosition_;  // the terminating zero
    return text;
}

bool TOXcFunc::ReplyIs(char verdict) const {
    return ReplyLength_ == 1 && Payload_[0] == static_cast<uint8_t>(verdict);
}

void TOXcFunc::Scramble(TEncrypt* scrambler, uint16_t length) {
    if (!scrambler || !scrambler->Enabled()) return;
    scrambler->Reset();
    // From byte 2 up to and including the byte at the length: the keystream is
    // position based, and the controller scrambles the same span.
    const size_t last = std::min<size_t>(length, MaxPayload - 1);
    for (size_t i = 2; i <= last; ++i) Payload_[i] = scrambler->Process(Payload_[i]);
}

void TOXcFunc::EncryptRequest(TEncrypt* scrambler) { Scramble(scrambler, Length_); }

void TOXcFunc::EncryptReply(TEncrypt* scrambler) { Scramble(scrambler, ReplyLength_); }

}  // namespace ryvorn
