// SPDX-License-Identifier: MIT
#include "device/ox_module.h"

namespace ryvorn {

bool TReplyRule::Matches(const TOXcFunc& reply) const {
    const uint16_t n = reply.ReplyLength();
    switch (Kind) {
        case Form::Exactly: return n == Length || (OrLength != 0 && n == OrLength);
        case Form::AtLeast: return n >= Length;
        case Form::Acknowledge: return reply.ReplyIs('U');
    }
    return false;
}

TOxModule::TOxModule(int32_t address, TOXProt* protocol) : Request_(address, 0), Protocol_(protocol) {}

TOxModule::~TOxModule() = default;

bool TOxModule::IsAlive() const {
    return Alive_ != 0;
}

void TOxModule::MarkAlive(bool alive) {
    if (alive) {
        Alive_ = AliveCount;
        return;
    }
    const uint8_t counter = Alive_;
    if (counter > 0) Alive_ = static_cast<uint8_t>(counter - 1);
}

void TOxModule::Process() {
    MarkAlive(true);
}

std::vector<std::string> TOxModule::DiagnosticLines() const {
    return {Name_};
}

bool TOxModule::Exchange(const TOxExchange& exchange) {
    const TOxExecResult result = Request_.Execute(Protocol_, exchange.Timeout);
    // A closed link or a missing protocol thread refuses at once: no time on the line.
    if (Exchanges_ && result != oxLinkClosed && result != oxNoProtocol) ++*Exchanges_;
    const bool answered = result == oxOk;
    TOxModuleStatus status = TOxModuleStatus::DataError;
    if (!answered) {
        status = TOxModuleStatus::CommunicationError;
    } else if (exchange.Reply.Matches(Request_)) {
        status = TOxModuleStatus::Ok;
    } else if (exchange.Reply.AcceptsBusy && Request_.ReplyIs('S')) {
        status = TOxModuleStatus::Busy;
    }
    MarkAlive(exchange.AliveOnExpectedReply ? status == TOxModuleStatus::Ok : answered);
    Status_ = status;
    return answered;
}

void TOxModule::RaiseUpdate(uint8_t function) {
    if (OnUpdate) OnUpdate(*this, function);
}

void TOxSbcModule::RaiseProgress(int percent, const std::string& text) {
    if (OnProgress) OnProgress(*this, percent, text);
}

}  // namespace ryvorn
