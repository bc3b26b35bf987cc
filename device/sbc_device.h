// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "device/ox_device.h"
#include "link/timeout.h"

namespace ryvorn {

class TEncrypt;

// The controller as every view works with it: its modules, its identification, the
// job state of multi-step transfers and the events the main window listens to.
//
// Process is the body of the worker's cycle and runs on one thread at a time. The main
// thread may meanwhile raise request flags, set Active, IdentifyNeeded and ResetPending,
// start jobs and read the identity; all of these are atomic. Address changes and event
// handlers are set while the worker is paused. Events are raised on the thread that
// runs Process (or calls the setter that raises them).
class TOxSbcDevice : public TOxDevice {
  public:
    using DeviceEvent = std::function<void(TOxSbcDevice& device)>;
    using JobTimeoutEvent = std::function<void(TOxSbcDevice& sender, int code, uint8_t jobState)>;
    using ProgressEvent = TOxSbcModule::ProgressHandler;

    // Creates every module in creation order; IdentifyNeeded and ResetPending set,
    // JobState 0, not Active.
    TOxSbcDevice(int32_t address, TOXProt* protocol);
    ~TOxSbcDevice() override;

    // The family this device class stands for: always "Talvrix".
    virtual std::string DeviceFamilyName() const;
    // Also repeats the identification; a different address clears the identity too, so
    // that the previous controller's values are never taken for the new one's.
    void SetAddress(int32_t address) override;
    // Stops all polling: every controller module's requests are cleared (in cancel
    // order) and the next cycle clears the identity.
    virtual void CancelAll();

    // One worker cycle: (1) an expired job watchdog raises OnJobTimeout, cancels all and
    // ends the job; (2) a pending reset clears the identity and raises OnAfterBoot; (3)
    // with no job, identify while needed, else poll every module in poll order; (4) with
    // a job, its current step. True when a request went on the line; a cycle that sent
    // nothing returns at once, and the worker may then wait for a flag or its poll timer
    // instead of cycling again.
    bool Process();

    // The identity, copied from System once it is complete; 0 until then.
    uint16_t IdCode() const { return IdCode_; }
    uint32_t SerialNumber() const { return SerialNumber_; }
    uint16_t Version() const { return Version_; }
    uint8_t Build() const { return Build_; }

    bool IdentifyNeeded() const { return IdentifyNeeded_; }
    // Setting it also clears IdCode. The OnIdentified handler clears it once it has
    // taken the identification.
    void SetIdentifyNeeded(bool needed);
    bool ResetPending() const { return ResetPending_; }
    // Forget everything about the controller: the next cycles clear the identity and
    // identify again (a reconnect, a controller that may have been exchanged).
    void ResetIdentity();
    bool Active() const { return Active_; }
    // Activating wakes a worker that waits for a device to serve.
    void SetActive(bool active);

    uint8_t JobState() const { return JobState_; }
    // Stores the state and raises OnJobStateChange.
    void SetJobState(uint8_t state);
    // A job starter's last step, after it stored the job's parameters: publishes the
    // first state and starts the watchdog, only when no job runs. Only one thread (the
    // main thread) starts jobs, so "JobState is 0" seen before storing the parameters
    // still holds here.
    bool StartJob(uint8_t firstState, int32_t watchdogMilliseconds);
    void StartJobWatchdog(int32_t milliseconds);
    void StopJobWatchdog();
    // Makes the next cycle time the job out (a step that answered with a bad status).
    void ExpireJobWatchdog();

    // The payload scrambler of program and recipe transfers, owned by the caller.
    void SetEncrypt(TEncrypt* scrambler) { Encrypt_ = scrambler; }
    TEncrypt* Encrypt() const { return Encrypt_; }

    // OnProgress goes to every module that reports progress.
    void SetOnProgress(ProgressEvent handler);
    void SetOnJobTimeout(JobTimeoutEvent handler) { OnJobTimeout_ = std::move(handler); }
    void SetOnIdentified(DeviceEvent handler) { OnIdentified_ = std::move(handler); }
    void SetOnJobStateChange(DeviceEvent handler) { OnJobStateChange_ = std::move(handler); }
    void SetOnAfterBoot(DeviceEvent handler) { OnAfterBoot_ = std::move(handler); }

    // A controller module (interface 120 and the display, scope, weigher, clock and
    // config modules), nullptr while its slot is empty.
    TOxSbcModule* ControllerModule(TModuleSlot slot) const { return Controllers_[SlotIndex(slot)]; }
    // The data modules, which every device has.
    TOxSbcSysModule& SysInterface() const { return Typed<TOxSbcSysModule>(TModuleSlot::SysInterface); }
    TOxSbcUiModule& UserInterface() const { return Typed<TOxSbcUiModule>(TModuleSlot::UserInterface); }
    TOxSbcIoModule& Io() const { return Typed<TOxSbcIoModule>(TModuleSlot::Io); }
    TOxSbcResultModule& Result() const { return Typed<TOxSbcResultModule>(TModuleSlot::Result); }
    TOxSbcIndicatorModule& Indicator() const { return Typed<TOxSbcIndicatorModule>(TModuleSlot::Indicator); }
    TOxSbcExtRegisterModule& ExtRegister() const {
        return Typed<TOxSbcExtRegisterModule>(TModuleSlot::ExtRegister);
    }
    TRtcModule& RealTimeClock() const { return Typed<TRtcModule>(TModuleSlot::RealTimeClock); }
    TOxSbcWeigherModule& Weigher() const { return Typed<TOxSbcWeigherModule>(TModuleSlot::Weigher); }
    // Names collected by program jobs.
    std::vector<std::string>& NameList() { return NameList_; }

  private:
    // The constructor creates the module of each data slot, of exactly its class.
    template <class Module>
    Module& Typed(TModuleSlot slot) const {
        return static_cast<Module&>(*ControllerModule(slot));
    }
    void Identify();
    void Poll();
    void RunJobStep();
    // True (and the watchdog stopped) when it has expired.
    bool TakeExpiredJobWatchdog();

    std::array<TOxSbcModule*, ModuleSlotCount> Controllers_{};
    std::atomic<uint8_t> JobState_{0};
    std::mutex JobMutex_;  // the watchdog: started by job starters, checked by the worker
    TTimeout JobWatchdog_;
    std::atomic<bool> IdentifyNeeded_{true};
    std::atomic<bool> ResetPending_{true};
    std::atomic<bool> Active_{false};
    std::atomic<uint32_t> SerialNumber_{0};
    std::atomic<uint16_t> IdCode_{0};
    std::atomic<uint16_t> Version_{0};
    std::atomic<uint8_t> Build_{0};
    TEncrypt* Encrypt_ = nullptr;
    std::vector<std::string> NameList_;

    ProgressEvent OnProgress_;
    JobTimeoutEvent OnJobTimeout_;
    DeviceEvent OnIdentified_;
    DeviceEvent OnJobStateChange_;
    DeviceEvent OnAfterBoot_;
};

}  // namespace ryvorn
