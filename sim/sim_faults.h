// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace ryvorn::sim {

// Misbehaviour on request, for tests. Each fault applies to the next Count replies
// (-1: every reply until cleared).
//   notready N          N replies of the single byte 0x00 (the request comes again)
//   gap K MS            a pause of MS ms before wire byte K of the reply (serial)
//   badsum              a wrong checksum
//   wrongaddr           the reply comes from another bus address
//   empty               an empty frame body: DLE STX address DLE ETX
//   oversize N          a reply payload of N bytes
//   silence             no reply
//   delay MS            the reply waits MS ms
//   badescape           DLE followed by a byte that is neither DLE nor ETX
//   short N             a datagram of N bytes, shorter than the header (UDP)
//   foreign             a datagram from another host before the reply (UDP)
//   double              the reply datagram twice, back to back (UDP)
//   length N            the controller's reply payload cut or padded (with zeros) to N
//                       bytes; "+K" / "-K" makes it K bytes longer / shorter (any link)
// An optional last word gives the count ("*" for always); notready takes its count
// from N.
enum class FaultKind {
    NotReady, Gap, BadChecksum, WrongAddress, EmptyBody, Oversize, Silence, Delay, BadEscape, ShortDatagram,
    Foreign, Double, Length
};

struct Fault {
    FaultKind Kind;
    int Count = 1;
    int A = 0;  // the fault's first number
    int B = 0;  // its second number; Length: 1 when A is a change of length
};

// Parses one fault text; nullopt with a message when it is malformed.
std::optional<Fault> ParseFault(const std::string& text, std::string& error);

// What applies to one reply.
struct ReplyFaults {
    bool NotReady = false;
    bool Silence = false;
    bool BadChecksum = false;
    bool WrongAddress = false;
    bool EmptyBody = false;
    bool BadEscape = false;
    bool Foreign = false;
    bool Double = false;
    std::optional<int> Oversize;
    std::optional<int> ShortDatagram;
    std::optional<int> Length;      // the payload's new length, or its change
    bool LengthRelative = false;
    std::optional<size_t> GapBefore;
    std::chrono::milliseconds Gap{0};
    std::chrono::milliseconds Delay{0};
};

// A reply payload of the given length, for the oversize fault.
std::vector<uint8_t> FillerPayload(size_t length);

// The reply payload with the length fault applied.
std::vector<uint8_t> ApplyLength(std::vector<uint8_t> payload, const ReplyFaults& faults);

class SimFaults {
public:
    void Add(const Fault& fault);
    void Clear();
    // The faults for the next reply; their counts go down by one.
    ReplyFaults TakeForReply();
    bool Empty() const;

private:
    mutable std::mutex Mutex_;
    std::vector<Fault> Faults_;
};

}  // namespace ryvorn::sim
