// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "link/base_protocol.h"
#include "link/ox_prot.h"

namespace ryvorn::testing {

using Bytes = std::vector<uint8_t>;

// A frame protocol without a line: every request payload is recorded with its time-out
// and answered at once by a responder (nullopt: no reply, the request fails without
// waiting). Serves the protocol thread and the basic commands alike.
class ScriptedProtocol : public TBaseProtocol {
  public:
    // Answers a request to a bus or IPv4 address.
    using Responder = std::function<std::optional<Bytes>(int32_t address, const Bytes& request)>;

    explicit ScriptedProtocol(Responder responder);

    bool Open() override { return true; }
    bool IsOpen() const override { return true; }
    bool SendFrame() override;
    bool ReceiveFrame() override;
    bool Transact() override { return SendFrame() && ReceiveFrame(); }
    bool BuildFrame(const uint8_t* payload, uint16_t length) override;
    void GetReply(uint8_t* destination, uint16_t& length) override;
    void FlushLog() override;

    // The requests since the last call, in order.
    std::vector<Bytes> TakeRequests();
    std::vector<uint16_t> TakeTimeouts();
    int LogFlushes() const;

  private:
    Responder Responder_;
    mutable std::mutex Mutex_;  // the protocol thread records, the test reads
    Bytes Frame_;
    Bytes Reply_;
    std::vector<Bytes> Requests_;
    std::vector<uint16_t> Timeouts_;
    int Flushes_ = 0;
};

// The parts one after the other, to write a payload field by field.
Bytes Join(std::initializer_list<Bytes> parts);

// Replies a test queues and a responder hands out in order, one per request; with none
// left the request gets no reply.
struct ReplyQueue {
    std::deque<std::optional<Bytes>> Replies;
    std::optional<Bytes> Next();
};

// The protocol thread over a scripted protocol, as a device uses it.
struct ScriptedLink {
    explicit ScriptedLink(ScriptedProtocol::Responder responder);

    ScriptedProtocol* Protocol = nullptr;  // owned by Prot
    std::unique_ptr<TOXProt> Prot;
};

}  // namespace ryvorn::testing
