// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "device/module_status.h"
#include "device/request_flag.h"
#include "link/oxc_func.h"

namespace ryvorn {

class TOXProt;
struct TSbcDeviceData;


// The reply form an operation takes as status 2 (ok).
struct TReplyRule {
    enum class Form : uint8_t { Exactly, AtLeast, Acknowledge };
    Form Kind = Form::Exactly;
    uint16_t Length = 0;
    uint16_t OrLength = 0;  // Exactly: a second accepted length, 0 for none
    // A single "S" is the controller saying it is busy (status 4) rather than a bad reply.
    bool AcceptsBusy = false;

    bool Matches(const TOXcFunc& reply) const;
};

constexpr TReplyRule ReplyExactly(uint16_t length, uint16_t orLength = 0) {
    return {TReplyRule::Form::Exactly, length, orLength, false};
}
constexpr TReplyRule ReplyAtLeast(uint16_t length) {
    return {TReplyRule::Form::AtLeast, length, 0, false};
}
// The single byte "U" of a command that only acknowledges; "S" reports busy.
constexpr TReplyRule ReplyAcknowledge() {
    return {TReplyRule::Form::Acknowledge, 1, 0, true};
}

// What one exchange of a module operation needs besides its payload and its parser.
struct TOxExchange {
    uint8_t Function = 0;  // the TOxFunction code reported with OnUpdate
    TReplyRule Reply;
    uint16_t Timeout = 0;  // ms; 0 is the protocol thread's default (200 serial, 1000 UDP)
    // Identification counts only a reply of the expected form as a sign of life; every
    // other operation counts any reply.
    bool AliveOnExpectedReply = false;
};

// The base of every interface module: one request buffer to the controller, the status
// of the last operation, an alive counter and the OnUpdate event.
//
// A module is used by one thread at a time (the worker, or the main thread while the
// worker is paused); its flags, status and alive counter may be read from any thread.
// Events are raised on the thread that runs the operation. Handlers are assigned before
// the worker runs or while it is paused.
class TOxModule {
  public:
    static constexpr uint8_t AliveCount = 5;
    using UpdateHandler = std::function<void(TOxModule& module, uint8_t function)>;

    TOxModule(int32_t address, TOXProt* protocol);
    virtual ~TOxModule();
    TOxModule(const TOxModule&) = delete;
    TOxModule& operator=(const TOxModule&) = delete;

    // The counter is not 0: the controller answered within the last five exchanges.
    virtual bool IsAlive() const;
    // True sets the counter to 5, false takes one off (never below 0).
    virtual void MarkAlive(bool alive);
    // Takes this module's part of the device's data record and sets the module's name.
    virtual void AssignData(TSbcDeviceData& record) = 0;
    // Performs the flagged operations; the base only marks the module alive.
    virtual void Process();
    // The text the diagnostic view paints for the module: its name, and what it knows.
    virtual std::vector<std::string> DiagnosticLines() const;

    TOxModuleStatus Status() const { return Status_; }
    uint8_t AliveCounter() const { return Alive_; }
    const std::string& Name() const { return Name_; }
    TOXProt* Protocol() const { return Protocol_; }
    int32_t Address() const { return Request_.Address(); }
    // The destination of the requests; set while the module is not in use.
    void SetAddress(int32_t address) { Request_.SetAddress(address); }
    // Counts every request this module puts on the line (the device's count of traffic).
    void SetExchangeCounter(std::atomic<uint64_t>* counter) { Exchanges_ = counter; }

    UpdateHandler OnUpdate;

  protected:
    // One exchange of the operation pattern, without the event: status pending, build
    // the payload, execute, mark alive, status from the reply, and on status 2 parse from
    // the read position just after the request header. A parser of a reply whose length
    // depends on its content returns bool: false (the reply does not hold what it
    // announces) is a data error. True when a reply came.
    template <class Build, class Parse>
    bool Transfer(const TOxExchange& exchange, Build&& build, Parse&& parse) {
        Status_ = TOxModuleStatus::Pending;
        build(Request_);
        const bool answered = Exchange(exchange);
        if (Status_ != TOxModuleStatus::Ok) return answered;
        if constexpr (std::is_same_v<decltype(parse(Request_)), bool>) {
            if (!parse(Request_)) Status_ = TOxModuleStatus::DataError;
        } else {
            parse(Request_);
        }
        return answered;
    }
    // A whole single-request operation: the exchange, then OnUpdate whatever the status.
    template <class Build, class Parse>
    bool Perform(const TOxExchange& exchange, Build&& build, Parse&& parse) {
        const bool answered = Transfer(exchange, build, parse);
        RaiseUpdate(exchange.Function);
        return answered;
    }
    // An operation whose reply carries nothing to keep (acknowledged writes).
    template <class Build>
    bool Perform(const TOxExchange& exchange, Build&& build) {
        return Perform(exchange, build, [](TOXcFunc&) {});
    }

    // Serves one request flag. The flag stays raised (the operation repeats every cycle)
    // until its owner clears it; a module that clears after one answer when nobody
    // listens to OnUpdate passes clearWhenUnhandled.
    template <class Operation>
    void Serve(TRequestFlag& flag, bool clearWhenUnhandled, Operation&& operation) {
        if (!flag) return;
        if (operation() && clearWhenUnhandled && !OnUpdate) flag = false;
    }

    void RaiseUpdate(uint8_t function);
    void SetName(std::string name) { Name_ = std::move(name); }
    void SetStatus(TOxModuleStatus status) { Status_ = status; }
    TOXcFunc& Request() { return Request_; }

  private:
    // Execute, MarkAlive and the status of one exchange.
    bool Exchange(const TOxExchange& exchange);

    TOXcFunc Request_;
    TOXProt* Protocol_;
    std::atomic<uint64_t>* Exchanges_ = nullptr;
    // 0 at creation: a module that never answered is not alive.
    std::atomic<uint8_t> Alive_{0};
    std::atomic<TOxModuleStatus> Status_{TOxModuleStatus::Pending};
    std::string Name_;
};

// The base of the controller's function modules: adds progress reports of multi-frame
// transfers and the cancelling of every request flag.
class TOxSbcModule : public TOxModule {
  public:
    using ProgressHandler = std::function<void(TOxModule& module, int percent, const std::string& text)>;
    using TOxModule::TOxModule;

    // Clears every request flag of the module.
    virtual void CancelRequests() = 0;

    ProgressHandler OnProgress;

  protected:
    void RaiseProgress(int percent, const std::string& text = {});
};

}  // namespace ryvorn
