// SPDX-License-Identifier: MIT
#include "device/ox_device.h"

#include <stdexcept>

#include "link/ip_address.h"

namespace ryvorn {

TOxDevice::TOxDevice(int32_t address, TOXProt* protocol) : Protocol_(protocol), Address_(address) {
    auto system = std::make_unique<TSystem>(address, protocol);
    auto ethernet = std::make_unique<TOxEthernet>(address, protocol);
    auto encryption = std::make_unique<TOxEncryption>(address, protocol);
    System_ = system.get();
    Ethernet_ = ethernet.get();
    Encryption_ = encryption.get();
    Install(TModuleSlot::System, std::move(system));
    Install(TModuleSlot::Ethernet, std::move(ethernet));
    Install(TModuleSlot::Encryption, std::move(encryption));
}

TOxDevice::~TOxDevice() = default;

void TOxDevice::Install(TModuleSlot slot, std::unique_ptr<TOxModule> module) {
    // The list is the creation order (slots are numbered in it): a module created out of
    // turn would put the list out of order.
    const auto index = static_cast<int>(SlotIndex(slot));
    if (index <= LastInstalled_) {
        throw std::logic_error(std::string("module installed out of creation order: ") +
                               ModuleSlotOrders[SlotIndex(slot)].ClassName);
    }
    module->AssignData(Data_);
    module->SetExchangeCounter(&Exchanges_);
    ModuleList_.push_back(module.get());
    Slots_[SlotIndex(slot)] = std::move(module);
    LastInstalled_ = index;
}

std::string TOxDevice::AddressText() const {
    // IPv4 addresses from 128.0.0.0 up are negative as signed numbers: compare unsigned.
    const auto address = static_cast<uint32_t>(Address_.load());
    return address < 256 ? std::to_string(address) : AddressToString(address);
}

void TOxDevice::SetAddress(int32_t address) {
    Address_ = address;
    for (TOxModule* module : ModuleList_) module->SetAddress(address);
}

void TOxDevice::UpdateBase() {
    if (System_->IdCode() == 0 || System_->Version() == 0 || System_->SerialNumber() == 0) {
        const bool wasAlive = System_->IsAlive();
        System_->Process();
        // A controller that answers again after it had fallen silent may have been
        // connected only now, after the presence checks gave up: give it fresh ones.
        if (!wasAlive && System_->IsAlive()) {
            Ethernet_->RequestPresenceCheck();
            Encryption_->RequestPresenceCheck();
        }
    }
    Ethernet_->Process();
    Encryption_->Process();
}

}  // namespace ryvorn
