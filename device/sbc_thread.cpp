// SPDX-License-Identifier: MIT
#include "device/sbc_thread.h"

#include "device/request_flag.h"
#include "device/sbc_device.h"
#include "device/system_poll.h"
#include "link/log.h"

namespace ryvorn {

namespace {
using Clock = std::chrono::steady_clock;
}

TSbcThread::TSbcThread(TMainThreadInvoker& invoker) : Invoker_(invoker) {
    Thread_ = std::thread([this] { Run(); });
}

TSbcThread::~TSbcThread() { Stop(); }

void TSbcThread::Stop(std::chrono::milliseconds grace) {
    if (!Thread_.joinable()) return;
    Terminated_ = true;
    {
        std::lock_guard lock(Mutex_);
    }
    Resume_.notify_all();
    TWorkSignal::Instance().Notify();
    const auto finished = [this] { return Finished_.load(); };
    if (!Invoker_.WaitServing(finished, Clock::now() + grace)) {
        LogDebug("SBC thread still finishing its cycle after " + std::to_string(grace.count()) + " ms");
        // Each request on the line ends within its own time-out; keep serving until then.
        while (!Invoker_.WaitServing(finished, Clock::now() + std::chrono::seconds(1))) {
        }
    }
    Thread_.join();
}

void TSbcThread::SetDevice(TOxSbcDevice* device) {
    Device_ = device;
    LastIdCode_ = -1;
    TWorkSignal::Instance().Notify();
}

void TSbcThread::SetAlternateDevice(TOxSbcDevice* device) {
    AlternateDevice_ = device;
    TWorkSignal::Instance().Notify();
}

void TSbcThread::SetDiscoveryDevice(TOxSbcDevice* device) { DiscoveryDevice_ = device; }

void TSbcThread::RequestDiscovery(bool requested) {
    DiscoverRequested_ = requested;
    if (requested) TWorkSignal::Instance().Notify();
}

TModuleAvailability TSbcThread::LastAvailability() const {
    std::lock_guard lock(const_cast<std::mutex&>(Mutex_));
    return LastAvailability_;
}

bool TSbcThread::Pause(bool on) {
    LogDebug(on ? "Wait for Main SBC thread to Pause 1" : "Resume main SBC thread from Pause ");
    if (!on) {
        {
            std::lock_guard lock(Mutex_);
            Paused_ = false;
        }
        Resume_.notify_all();
        return true;
    }
    Paused_ = true;
    TWorkSignal::Instance().Notify();  // a thread waiting for work parks at once
    LogDebug("Wait for Main SBC thread to Pause 2");
    const bool parked =
        Invoker_.WaitServing([this] { return Parked_.load() || Finished_.load(); }, Clock::now() + PauseWatchdog_);
    if (!parked) LogDebug("Watchdog triggerd in SBC thread");
    return parked;
}

void TSbcThread::Synchronize(const std::function<void()>& work) { Invoker_.Invoke(work); }

void TSbcThread::Park() {
    std::unique_lock lock(Mutex_);
    Parked_ = true;
    Invoker_.Wake();
    Resume_.wait(lock, [this] { return !Paused_ || Terminated_; });
    Parked_ = false;
}

void TSbcThread::WaitForWork(uint64_t seen, Clock::time_point until) {
    TWorkSignal::Instance().WaitUntil(seen, until);
}

void TSbcThread::Run() {
    auto nextPoll = Clock::now() + std::chrono::milliseconds(1);
    while (!Terminated_) {
        if (Paused_) {
            Park();
            continue;
        }
        // Taken before the cycle looks at anything: whatever is raised from here on
        // ends the wait below at once.
        const uint64_t seen = TWorkSignal::Instance().Generation();
        TOxSbcDevice* device = Device_;
        bool sent = false;
        if (device && device->Active()) {
            ++Cycles_;
            if (TOxSbcDevice* alternate = AlternateDevice_) {
                sent = alternate->Process();
            } else {
                sent = Cycle(*device, nextPoll);
            }
        }
        if (!sent && !Terminated_ && !Paused_) {
            const bool polling = device && device->Active() && !AlternateDevice_;
            WaitForWork(seen, polling ? nextPoll : Clock::now() + std::chrono::hours(1));
        }
    }
    Finished_ = true;
    Invoker_.Wake();
}

bool TSbcThread::Cycle(TOxSbcDevice& device, Clock::time_point& nextPoll) {
    if (Clock::now() >= nextPoll) {
        RaiseSystemInterfacePoll(device);
        nextPoll = Clock::now() + SystemPollPeriod;
    }
    bool sent = device.Process();

    const int64_t id = device.IdCode();
    if (id != LastIdCode_) {
        LogDebug("DEVICE WITH ID CODE " + std::to_string(id) + " FOUND");
        if (id != 0 && OnDeviceFound_) Synchronize([this] { OnDeviceFound_(*this); });
        LastIdCode_ = id;
    }
    if (DiscoverRequested_.exchange(false)) {
        TOxSbcDevice* target = DiscoveryDevice_ ? DiscoveryDevice_.load() : &device;
        Discover(*target);
        sent = true;
    }
    if (OnCycle_) OnCycle_(device);
    return sent;
}

TModuleAvailability TSbcThread::Discover(TOxSbcDevice& device) {
    TModuleAvailability table{};
    LogDebug("before Synchronize(DoBeforeDeviceScan)");
    if (OnBeforeDeviceScan_) Synchronize([this] { OnBeforeDeviceScan_(*this); });
    LogDebug("after Synchronize(DoBeforeDeviceScan)");
    try {
        // A pass that meets a module that does not answer costs two attempts, so a
        // silent controller gets at most three passes; the first complete pass ends it.
        int attempts = 5;
        while (attempts > 0 && !Terminated_) {
            --attempts;
            bool complete = true;
            for (const TDiscoveryStep& step : DiscoveryChain()) {
                if (!step.Ask || !device.ControllerModule(step.Slot)) continue;
                const bool answered = step.Ask(device, table);
                if (step.Slot == TModuleSlot::UserInterface) LogDebug("Start discover device");
                if (!answered || Terminated_) {
                    --attempts;
                    complete = false;
                    break;
                }
            }
            if (complete && !Terminated_) {
                LogDebug("Discover device ready");
                attempts = 0;
            }
        }
    } catch (...) {
        LogDebug("discovery ended by an error");
    }
    {
        std::lock_guard lock(Mutex_);
        LastAvailability_ = table;
    }
    LogDebug("Synchronize(DoAfterDeviceScan)");
    if (OnAfterDeviceScan_) Synchronize([this, &table] { OnAfterDeviceScan_(*this, table); });
    return table;
}

}  // namespace ryvorn
