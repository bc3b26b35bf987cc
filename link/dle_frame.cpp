// SPDX-License-Identifier: MIT
#include "link/dle_frame.h"

namespace ryvorn {

namespace dle {

uint8_t Checksum(std::span<const uint8_t> payload, uint8_t seed) {
    uint8_t sum = seed;
    for (uint8_t b : payload) sum = static_cast<uint8_t>(sum + b);
    return static_cast<uint8_t>(~sum);
}

namespace {
void PutEscaped(std::vector<uint8_t>& out, uint8_t b) {
    out.push_back(b);
    if (b == DLE) out.push_back(b);
}
}  // namespace

std::vector<uint8_t> EncodeBody(std::span<const uint8_t> payload, uint8_t seed) {
    std::vector<uint8_t> out;
    out.reserve(payload.size() * 2 + 2);
    for (uint8_t b : payload) PutEscaped(out, b);
    PutEscaped(out, Checksum(payload, seed));
    return out;
}

std::vector<uint8_t> EncodeFrame(uint8_t address, std::span<const uint8_t> payload, bool seedWithAddress) {
    std::vector<uint8_t> out{DLE, STX};
    PutEscaped(out, address);
    const auto body = EncodeBody(payload, seedWithAddress ? address : 0);
    out.insert(out.end(), body.begin(), body.end());
    out.push_back(DLE);
    out.push_back(ETX);
    return out;
}

}  // namespace dle

void DleFrameDecoder::Reset() {
    State_ = State::Start;
    Seen_ = 0;
    Address_ = 0;
    Sum_ = 0;
    Body_.clear();
    Fault_ = Fault::None;
}

DleFrameDecoder::Result DleFrameDecoder::Fail(Fault fault) {
    Fault_ = fault;
    State_ = State::Done;
    return Result::Invalid;
}

std::span<const uint8_t> DleFrameDecoder::Payload() const {
    if (State_ != State::Done || Fault_ != Fault::None || Body_.empty()) return {};
    return std::span<const uint8_t>(Body_.data(), Body_.size() - 1);
}

DleFrameDecoder::Result DleFrameDecoder::Feed(uint8_t b) {
    using namespace dle;
    if (State_ == State::Done) Reset();
    ++Seen_;
    switch (State_) {
        case State::Start:
            if (b == DLE) {
                State_ = State::Stx;
                return Result::NeedMore;
            }
            if (Options_.Hunt) {
                Seen_ = 0;
                return Result::NeedMore;
            }
            return Fail(Fault::BadStart);

        case State::Stx:
            if (b == STX) {
                State_ = State::Addr;
                return Result::NeedMore;
            }
            if (Options_.Hunt) {
                // DLE DLE: stay ready for a DLE STX that may follow.
                Seen_ = b == DLE ? 1 : 0;
                State_ = b == DLE ? State::Stx : State::Start;
                return Result::NeedMore;
            }
            return Fail(Fault::BadStart);

        case State::Addr:
            if (Options_.ExpectedAddress && b != *Options_.ExpectedAddress) return Fail(Fault::WrongAddress);
            Address_ = b;
            Sum_ = Options_.SeedWithAddress ? b : 0;
            State_ = b == DLE ? State::AddrEscape : State::Body;
            return Result::NeedMore;

        case State::AddrEscape:
            if (b != DLE) return Fail(Fault::BadAddressEscape);
            State_ = State::Body;
            return Result::NeedMore;

        case State::Body:
            if (b == DLE) {
                State_ = State::BodyEscape;
                return Result::NeedMore;
            }
            break;

        case State::BodyEscape:
            if (b == ETX) {
                // The body holds at least the checksum; DLE ETX straight after the
                // address is a broken frame, not an empty reply.
                if (Body_.empty()) return Fail(Fault::Empty);
                if (Sum_ != 0xFF) return Fail(Fault::Checksum);
                State_ = State::Done;
                return Result::Complete;
            }
            // DLE followed by anything but DLE or ETX never comes from a controller.
            if (b != DLE) return Fail(Fault::BadEscape);
            State_ = State::Body;
            break;

        case State::Done:
            break;
    }
    // A data byte.
    if (Body_.size() >= Options_.MaxBody) return Fail(Fault::Oversize);
    Body_.push_back(b);
    Sum_ = static_cast<uint8_t>(Sum_ + b);
    return Result::NeedMore;
}

}  // namespace ryvorn
