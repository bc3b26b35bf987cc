// SPDX-License-Identifier: MIT
#include "link/varnel.h"

#include <algorithm>
#include <thread>

namespace ryvorn {

using dle::DLE;
using dle::STX;
using dle::ETX;
using dle::ACK;
using dle::NAK;
using dle::EncodeBody;

TVArnel::TVArnel(TComMedium* medium) : TBaseProtocol(medium) {}

bool TVArnel::Open() { return Medium_ && Medium_->Open(512, 512); }

bool TVArnel::BuildFrame(const uint8_t* payload, uint16_t length) {
    if (length > MaxPayload) return false;
    const uint8_t seed = NoHandshake_ ? static_cast<uint8_t>(Address_ & 0xFF) : 0;
    TransmitFrame_ = EncodeBody(std::span<const uint8_t>(payload, length), seed);
    return true;
}

void TVArnel::GetReply(uint8_t* destination, uint16_t& length) {
    std::copy_n(ReceiveFrame_.begin(), ReceiveLength_, destination);
    length = ReceiveLength_;
}

bool TVArnel::WriteAll(const uint8_t* data, size_t count) {
    return Medium_->Write(data, static_cast<uint32_t>(count)) == count;
}

void TVArnel::SendControl(uint8_t control) {
    const uint8_t bytes[2] = {DLE, control};
    WriteAll(bytes, 2);
}

TVArnel::ByteResult TVArnel::ReadByte(uint8_t& b) {
    for (;;) {
        if (PendingPos_ < PendingLen_) {
            b = Pending_[PendingPos_++];
            return ByteResult::Ok;
        }
        const uint32_t n = Medium_->Read(Pending_.data(), static_cast<uint32_t>(Pending_.size()));
        if (n > 0) {
            PendingPos_ = 0;
            PendingLen_ = n;
            continue;
        }
        if (Medium_->LastErrorMask() != 0) return ByteResult::LineError;
        const auto left = Deadline_.Left();
        if (left.count() == 0) return ByteResult::Timeout;
        // Block on the transport for the rest of the deadline; no polling loop. A wait
        // that ends without data (time-out, hang-up, closed port) fails the byte.
        if (!Medium_->WaitForData(left)) return ByteResult::Timeout;
    }
}

bool TVArnel::WaitAck() {
    Deadline_.Start(Timeout_);
    uint8_t first = 0, second = 0;
    if (ReadByte(first) != ByteResult::Ok || ReadByte(second) != ByteResult::Ok) return false;
    return first == DLE && second == ACK;
}

bool TVArnel::SendFrame() {
    if (!Medium_) return false;
    Medium_->Purge();
    PendingPos_ = PendingLen_ = 0;
    const uint8_t address = static_cast<uint8_t>(Address_ & 0xFF);
    std::vector<uint8_t> header{DLE, STX, address};
    if (address == DLE) header.push_back(DLE);
    static constexpr uint8_t trailer[2] = {DLE, ETX};

    if (NoHandshake_) {
        // One write for the whole frame: fewer system calls, same bytes on the line.
        std::vector<uint8_t> frame = header;
        frame.insert(frame.end(), TransmitFrame_.begin(), TransmitFrame_.end());
        frame.insert(frame.end(), trailer, trailer + 2);
        return WriteAll(frame.data(), frame.size());
    }
    if (!WriteAll(header.data(), header.size()) || !WaitAck()) return false;
    std::vector<uint8_t> rest = TransmitFrame_;
    rest.insert(rest.end(), trailer, trailer + 2);
    return WriteAll(rest.data(), rest.size()) && WaitAck();
}

bool TVArnel::ReceiveOnce() {
    DleFrameDecoder::Options options;
    options.Hunt = false;
    options.SeedWithAddress = NoHandshake_;
    if (NoHandshake_) options.ExpectedAddress = static_cast<uint8_t>(Address_ & 0xFF);
    DleFrameDecoder decoder(options);

    LastFault_ = DleFrameDecoder::Fault::None;
    LastTimedOut_ = false;
    // One deadline for the three header bytes, then one per byte: the time-out bounds
    // the gap between bytes, not the whole frame.
    Deadline_.Start(Timeout_);
    for (;;) {
        if (decoder.BytesSeen() >= 3) Deadline_.Start(Timeout_);
        uint8_t b = 0;
        if (ReadByte(b) != ByteResult::Ok) {
            LastTimedOut_ = true;
            return false;
        }
        const bool hadHeader = decoder.HeaderComplete();
        const auto result = decoder.Feed(b);
        if (!NoHandshake_ && !hadHeader && decoder.HeaderComplete()) SendControl(ACK);
        if (result == DleFrameDecoder::Result::Complete) {
            const auto payload = decoder.Payload();
            std::copy(payload.begin(), payload.end(), ReceiveFrame_.begin());
            ReceiveLength_ = static_cast<uint16_t>(payload.size());
            return true;
        }
        if (result == DleFrameDecoder::Result::Invalid) {
            LastFault_ = decoder.LastFault();
            return false;
        }
    }
}

bool TVArnel::ReceiveFrame() {
    if (!Medium_) return false;
    ReceiveLength_ = 0;
    bool ok = ReceiveOnce();
    if (!NoHandshake_) {
        for (int attempt = 1;; ++attempt) {
            SendControl(ok ? ACK : NAK);
            if (ok || attempt >= Retries_) break;
            Medium_->Purge();
            Medium_->ClearErrors();
            PendingPos_ = PendingLen_ = 0;
            ok = ReceiveOnce();
        }
    }
    if (!ok) {
        ReceiveLength_ = 0;
        Reset();
    }
    return ok;
}

void TVArnel::Reset() {
    if (!Medium_) return;
    Medium_->Close();
    Medium_->Open(512, 512);
    Medium_->SetBreak(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(BreakTime_));
    Medium_->SetBreak(false);
    const uint8_t ff = 0xFF;
    Medium_->Write(&ff, 1);
    Medium_->Purge();
    Medium_->ClearErrors();
    PendingPos_ = PendingLen_ = 0;
}

bool TVArnel::Transact() {
    const int attempts = NoHandshake_ ? std::max<int>(1, Retries_) : 1;
    for (int i = 0; i < attempts; ++i) {
        if (SendFrame() && ReceiveFrame()) return true;
    }
    return false;
}

}  // namespace ryvorn
