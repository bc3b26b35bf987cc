// SPDX-License-Identifier: MIT
#include "link/ox_udp.h"

#include <algorithm>
#include <thread>

#include "link/error_log.h"
#include "link/ip_address.h"

namespace ryvorn {

TOxUdp::TOxUdp(TComUdp* medium) : TBaseProtocol(medium), Udp_(medium) {}

bool TOxUdp::Open() { return Udp_ && Udp_->Open(512, 512); }

bool TOxUdp::BuildFrame(const uint8_t* payload, uint16_t length) {
    if (length > MaxPayload) return false;
    TransmitFrame_[0] = HeaderByte_;
    TransmitFrame_[1] = TransmitFrame_[2] = TransmitFrame_[3] = 0;
    std::copy_n(payload, length, TransmitFrame_.begin() + HeaderLength);
    TransmitLength_ = static_cast<uint16_t>(HeaderLength + length);
    return true;
}

bool TOxUdp::SendFrame() {
    if (!Udp_) return false;
    Udp_->Purge();
    const auto address = static_cast<uint32_t>(Address_);
    Udp_->SetBroadcast((address & 0xFF) == 255);
    if (address != LastAddress_ || LastAddressText_.empty()) {
        LastAddress_ = address;
        LastAddressText_ = AddressToString(address);
    }
    Udp_->SetRemoteHost(LastAddressText_);
    return Udp_->Write(TransmitFrame_.data(), TransmitLength_) == TransmitLength_;
}

bool TOxUdp::ReceiveFrame() {
    ReceiveLength_ = 0;
    if (!Udp_) return false;
    Deadline_.Start(Timeout_);
    // A datagram from another host is dropped by the transport and does not end the
    // wait: it goes on for the rest of the time-out.
    if (!Udp_->WaitForData(Deadline_.Left())) return false;
    const uint32_t n = Udp_->QueuedBytes();
    // Shorter than the header or longer than a reply can be: a failure, never a reply.
    if (n < HeaderLength || n >= 511) {
        Udp_->Purge();
        return false;
    }
    if (Udp_->TakeQueued(ReceiveFrame_.data(), n) != n) return false;
    ReceiveLength_ = static_cast<uint16_t>(n);
    return true;
}

void TOxUdp::GetReply(uint8_t* destination, uint16_t& length) {
    length = ReceiveLength_ >= HeaderLength ? static_cast<uint16_t>(ReceiveLength_ - HeaderLength) : 0;
    std::copy_n(ReceiveFrame_.begin() + HeaderLength, length, destination);
}

bool TOxUdp::Transact() {
    const int attempts = std::max<int>(1, Retries_);
    for (int i = 0; i < attempts; ++i) {
        if (!SendFrame() || !ReceiveFrame()) continue;
        // A lone 0x00 is the controller's "not ready, ask again".
        if (ReceiveLength_ == HeaderLength + 1 && ReceiveFrame_[HeaderLength] == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        return true;
    }
    return false;
}

void TOxUdp::FlushLog() {
    // No frame log is collected; the line carries the time stamp only.
    WriteToErrLog("");
}

}  // namespace ryvorn
