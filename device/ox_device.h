// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/device_data.h"
#include "device/encryption_module.h"
#include "device/ethernet_module.h"
#include "device/module_slots.h"
#include "device/system_module.h"

namespace ryvorn {

class TOXProt;

// One controller at one address on a link: the modules that talk to its interfaces, the
// data record they fill, and its identification (System, Ethernet, Encryption). All
// devices of a connection share the one protocol thread.
class TOxDevice {
  public:
    // Creates System, Ethernet and Encryption, the first three modules of the list.
    TOxDevice(int32_t address, TOXProt* protocol);
    virtual ~TOxDevice();
    TOxDevice(const TOxDevice&) = delete;
    TOxDevice& operator=(const TOxDevice&) = delete;

    // The address in decimal below 256 (a bus address), else as dotted IPv4 text.
    virtual std::string AddressText() const;
    // Stores the address and passes it to every module's request; call it while the
    // worker is paused.
    virtual void SetAddress(int32_t address);
    // The identification step: System while any of id code, version and serial number is
    // still unknown, then Ethernet and Encryption. A controller that answers System again
    // after it had fallen silent gets fresh presence checks.
    virtual void UpdateBase();

    int32_t Address() const { return Address_; }
    TOXProt* Protocol() const { return Protocol_; }
    // Every module, in creation order.
    const std::vector<TOxModule*>& Modules() const { return ModuleList_; }
    // The module in a slot, nullptr while its slot is empty.
    TOxModule* Module(TModuleSlot slot) const { return Slots_[SlotIndex(slot)].get(); }

    // Requests its modules have put on the line so far.
    uint64_t Exchanges() const { return Exchanges_; }

    TSystem& System() const { return *System_; }
    TOxEthernet& Ethernet() const { return *Ethernet_; }
    TOxEncryption& Encryption() const { return *Encryption_; }

  protected:
    // Gives a new module its data area and its place in its slot and in the list; modules
    // are installed in creation order.
    void Install(TModuleSlot slot, std::unique_ptr<TOxModule> module);
    TSbcDeviceData& Data() { return Data_; }

  private:
    TOXProt* Protocol_;
    std::atomic<int32_t> Address_;
    std::atomic<uint64_t> Exchanges_{0};
    TSbcDeviceData Data_;
    std::array<std::unique_ptr<TOxModule>, ModuleSlotCount> Slots_;
    std::vector<TOxModule*> ModuleList_;
    int LastInstalled_ = -1;
    TSystem* System_ = nullptr;
    TOxEthernet* Ethernet_ = nullptr;
    TOxEncryption* Encryption_ = nullptr;
};

}  // namespace ryvorn
