// SPDX-License-Identifier: MIT
#include "tests/device/scripted_protocol.h"

#include <algorithm>
#include <utility>

namespace ryvorn::testing {

ScriptedProtocol::ScriptedProtocol(Responder responder)
    : TBaseProtocol(nullptr), Responder_(std::move(responder)) {}

bool ScriptedProtocol::BuildFrame(const uint8_t* payload, uint16_t length) {
    Frame_.assign(payload, payload + length);
    return true;
}

bool ScriptedProtocol::SendFrame() {
    std::lock_guard lock(Mutex_);
    Requests_.push_back(Frame_);
    Timeouts_.push_back(Timeout());
    return true;
}

bool ScriptedProtocol::ReceiveFrame() {
    auto reply = Responder_(Address(), Frame_);
    if (!reply) return false;
    Reply_ = std::move(*reply);
    return true;
}

void ScriptedProtocol::GetReply(uint8_t* destination, uint16_t& length) {
    length = static_cast<uint16_t>(std::min(Reply_.size(), MaxPayload));
    std::copy_n(Reply_.begin(), length, destination);
}

void ScriptedProtocol::FlushLog() {
    std::lock_guard lock(Mutex_);
    ++Flushes_;
}

std::vector<Bytes> ScriptedProtocol::TakeRequests() {
    std::lock_guard lock(Mutex_);
    return std::exchange(Requests_, {});
}

std::vector<uint16_t> ScriptedProtocol::TakeTimeouts() {
    std::lock_guard lock(Mutex_);
    return std::exchange(Timeouts_, {});
}

int ScriptedProtocol::LogFlushes() const {
    std::lock_guard lock(Mutex_);
    return Flushes_;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::optional<Bytes> ReplyQueue::Next() {
    std::optional<Bytes> reply = Replies.empty() ? std::nullopt : Replies.front();
    if (!Replies.empty()) Replies.pop_front();
    return reply;
}

ScriptedLink::ScriptedLink(ScriptedProtocol::Responder responder) {
    auto protocol = std::make_unique<ScriptedProtocol>(std::move(responder));
    Protocol = protocol.get();
    Prot = std::make_unique<TOXProt>(std::move(protocol));
}

}  // namespace ryvorn::testing
