// SPDX-License-Identifier: MIT
#include "device/sbc_device.h"

#include "device/request_flag.h"

namespace ryvorn {

namespace {

// The controller modules built so far; the slots of the others stay empty.
std::unique_ptr<TOxSbcModule> CreateControllerModule(TModuleSlot slot, int32_t address, TOXProt* protocol) {
    switch (slot) {
        case TModuleSlot::SysInterface: return std::make_unique<TOxSbcSysModule>(address, protocol);
        case TModuleSlot::UserInterface: return std::make_unique<TOxSbcUiModule>(address, protocol);
        case TModuleSlot::Io: return std::make_unique<TOxSbcIoModule>(address, protocol);
        case TModuleSlot::Result: return std::make_unique<TOxSbcResultModule>(address, protocol);
        case TModuleSlot::Indicator: return std::make_unique<TOxSbcIndicatorModule>(address, protocol);
        case TModuleSlot::ExtRegister: return std::make_unique<TOxSbcExtRegisterModule>(address, protocol);
        case TModuleSlot::RealTimeClock: return std::make_unique<TRtcModule>(address, protocol);
        case TModuleSlot::Weigher: return std::make_unique<TOxSbcWeigherModule>(address, protocol);
        default: return nullptr;
    }
}

}  // namespace

TOxSbcDevice::TOxSbcDevice(int32_t address, TOXProt* protocol) : TOxDevice(address, protocol) {
    for (TModuleSlot slot : CreationOrder) {
        if (Module(slot)) continue;  // System, Ethernet and Encryption come with the base
        auto module = CreateControllerModule(slot, address, protocol);
        if (!module) continue;
        Controllers_[SlotIndex(slot)] = module.get();
        Install(slot, std::move(module));
    }
}

TOxSbcDevice::~TOxSbcDevice() = default;

std::string TOxSbcDevice::DeviceFamilyName() const {
    return "Talvrix";
}

void TOxSbcDevice::SetAddress(int32_t address) {
    const bool changed = address != Address();
    TOxDevice::SetAddress(address);
    SetIdentifyNeeded(true);
    // System still holds the values of the controller at the old address, and
    // identification skips what it knows: clear them, or the old identity is copied.
    if (changed) ResetPending_ = true;
}

void TOxSbcDevice::SetIdentifyNeeded(bool needed) {
    if (needed) IdCode_ = 0;
    IdentifyNeeded_ = needed;
    if (needed) TWorkSignal::Instance().Notify();
}

void TOxSbcDevice::SetActive(bool active) {
    Active_ = active;
    if (active) TWorkSignal::Instance().Notify();
}

void TOxSbcDevice::ResetIdentity() {
    ResetPending_ = true;
    SetIdentifyNeeded(true);
}

void TOxSbcDevice::CancelAll() {
    ResetPending_ = true;
    TWorkSignal::Instance().Notify();
    for (TModuleSlot slot : CancelOrder) {
        if (TOxSbcModule* module = ControllerModule(slot)) module->CancelRequests();
    }
}

void TOxSbcDevice::SetJobState(uint8_t state) {
    JobState_ = state;
    if (OnJobStateChange_) OnJobStateChange_(*this);
}

bool TOxSbcDevice::StartJob(uint8_t firstState, int32_t watchdogMilliseconds) {
    uint8_t idle = 0;
    if (firstState == 0 || !JobState_.compare_exchange_strong(idle, firstState)) return false;
    // A watchdog not yet started never expires, so the worker may take the first step
    // before it runs.
    StartJobWatchdog(watchdogMilliseconds);
    if (OnJobStateChange_) OnJobStateChange_(*this);
    TWorkSignal::Instance().Notify();
    return true;
}

void TOxSbcDevice::StartJobWatchdog(int32_t milliseconds) {
    std::lock_guard lock(JobMutex_);
    JobWatchdog_.Start(milliseconds);
}

void TOxSbcDevice::StopJobWatchdog() {
    std::lock_guard lock(JobMutex_);
    JobWatchdog_.Start(0);
}

void TOxSbcDevice::ExpireJobWatchdog() {
    std::lock_guard lock(JobMutex_);
    JobWatchdog_.Start(-1);
}

bool TOxSbcDevice::TakeExpiredJobWatchdog() {
    std::lock_guard lock(JobMutex_);
    if (!JobWatchdog_.Expired()) return false;
    JobWatchdog_.Start(0);
    return true;
}

void TOxSbcDevice::SetOnProgress(ProgressEvent handler) {
    OnProgress_ = std::move(handler);
    for (TOxSbcModule* module : Controllers_) {
        if (module) module->OnProgress = OnProgress_;
    }
}

bool TOxSbcDevice::Process() {
    const uint64_t before = Exchanges();
    if (TakeExpiredJobWatchdog()) {
        if (OnJobTimeout_) OnJobTimeout_(*this, 0, JobState_);
        CancelAll();
        SetJobState(0);
    }
    if (ResetPending_.exchange(false)) {
        System().ClearIdentity();
        System().MarkAlive(true);
        // A controller connected after the presence checks gave up (or a different one)
        // gets its own checks.
        Ethernet().RequestPresenceCheck();
        Encryption().RequestPresenceCheck();
        if (OnAfterBoot_) OnAfterBoot_(*this);
    }
    if (JobState_ != 0) {
        RunJobStep();
    } else if (IdentifyNeeded_) {
        Identify();
    } else {
        Poll();
    }
    return Exchanges() != before;
}

void TOxSbcDevice::Identify() {
    UpdateBase();
    // Each value still missing ends the step for this cycle; the next cycle asks again.
    const TSystem& system = System();
    if (!system.IsAlive() || system.IdCode() == 0) return;
    IdCode_ = system.IdCode();
    if (system.SerialNumber() == 0) return;
    SerialNumber_ = system.SerialNumber();
    if (system.Version() == 0) return;
    Version_ = system.Version();
    Build_ = system.Build();
    if (OnIdentified_) {
        OnIdentified_(*this);
    } else {
        IdentifyNeeded_ = false;
    }
}

void TOxSbcDevice::Poll() {
    for (TModuleSlot slot : PollOrder) {
        if (TOxModule* module = Module(slot)) module->Process();
    }
}

void TOxSbcDevice::RunJobStep() {
    // The transfer jobs come with the transfer modules; until then no state has a step
    // and the watchdog of a started job ends it.
}

}  // namespace ryvorn
