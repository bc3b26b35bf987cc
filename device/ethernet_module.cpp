// SPDX-License-Identifier: MIT
#include "device/ethernet_module.h"

#include <thread>

#include "device/device_data.h"
#include "device/interface_numbers.h"

namespace ryvorn {

namespace {

enum : uint8_t { fnInformation = 1, fnIpSettings = 2, fnMacAddress = 3, fnName = 4 };

// The name and the IP settings take longer than the link's default to apply.
constexpr uint16_t SlowTimeout = 1000;

}  // namespace

TOxEthernet::TOxEthernet(int32_t address, TOXProt* protocol)
    : TOxPresenceModule(address, protocol, ifc::Ethernet) {}

void TOxEthernet::AssignData(TSbcDeviceData& record) {
    Data_ = &record.Ethernet;
    SetName("Ethernet Interface.");
}

void TOxEthernet::Process() {
    const bool present = CheckPresence();
    if (!present) {
        if (!PresenceCheckPending()) ClearRequests();
        return;
    }
    Serve(InformationRequest, true, [this] { return Information(); });
    Serve(ReadNameRequest, true, [this] { return ReadName(); });
    Serve(WriteNameRequest, true, [this] { return WriteName(); });
    Serve(ReadMacRequest, true, [this] { return ReadMacAddress(); });
    Serve(WriteMacRequest, true, [this] { return WriteMacAddress(); });
    Serve(ReadIpRequest, true, [this] { return ReadIpSettings(); });
    Serve(WriteIpRequest, true, [this] { return WriteIpSettings(); });
}

void TOxEthernet::ClearRequests() {
    for (TRequestFlag* flag : {&InformationRequest, &ReadNameRequest, &WriteNameRequest, &ReadMacRequest,
                               &WriteMacRequest, &ReadIpRequest, &WriteIpRequest}) {
        *flag = false;
    }
}

void TOxEthernet::Settle() {
    if (Status() == TOxModuleStatus::Ok) std::this_thread::sleep_for(SettlePause);
}

bool TOxEthernet::Information() {
    return Perform(
        {ofInfo, ReplyExactly(6)}, [](TOXcFunc& r) { r.SetCommand(ifc::Ethernet, fnInformation); },
        [this](TOXcFunc& r) {
            std::lock_guard lock(DataMutex_);
            Data_->ApplicationId = r.GetWord();
            Data_->ApplicationVersion = r.GetWord();
        });
}

bool TOxEthernet::ReadIpSettings() {
    return Perform(
        {ofRead, ReplyExactly(30)}, [](TOXcFunc& r) { r.SetCommand(ifc::Ethernet, fnIpSettings); },
        [this](TOXcFunc& r) {
            std::lock_guard lock(DataMutex_);
            Data_->IpAddress = r.GetLong();
            Data_->SubnetMask = r.GetLong();
            Data_->Gateway = r.GetLong();
            for (auto& p : Data_->PortParameters) p = r.GetWord();
            for (auto& p : Data_->DataParameters) p = r.GetWord();
        });
}

bool TOxEthernet::WriteIpSettings() {
    const bool answered = Perform({ofWrite, ReplyAcknowledge(), SlowTimeout}, [this](TOXcFunc& r) {
        std::lock_guard lock(DataMutex_);
        r.SetCommand(ifc::Ethernet, fnIpSettings);
        r.AddLong(Data_->IpAddress);
        r.AddLong(Data_->SubnetMask);
        r.AddLong(Data_->Gateway);
        for (uint16_t p : Data_->PortParameters) r.AddWord(p);
        for (uint16_t p : Data_->DataParameters) r.AddWord(p);
    });
    Settle();
    return answered;
}

bool TOxEthernet::ReadMacAddress() {
    return Perform(
        {ofQuery, ReplyExactly(8)}, [](TOXcFunc& r) { r.SetCommand(ifc::Ethernet, fnMacAddress); },
        [this](TOXcFunc& r) {
            std::lock_guard lock(DataMutex_);
            for (auto& b : Data_->MacAddress) b = r.GetByte();
        });
}

bool TOxEthernet::WriteMacAddress() {
    return Perform({ofSet, ReplyAcknowledge()}, [this](TOXcFunc& r) {
        std::lock_guard lock(DataMutex_);
        r.SetCommand(ifc::Ethernet, fnMacAddress);
        for (uint8_t b : Data_->MacAddress) r.AddByte(b);
    });
}

bool TOxEthernet::ReadName() {
    return Perform(
        {ofQuery, ReplyExactly(2 + TEthernetData::NameLength), SlowTimeout},
        [](TOXcFunc& r) { r.SetCommand(ifc::Ethernet, fnName); },
        [this](TOXcFunc& r) {
            std::string name;
            for (size_t i = 0; i < TEthernetData::NameLength; ++i) {
                const uint8_t c = r.GetByte();
                if (c == 0) break;
                name.push_back(static_cast<char>(c));
            }
            std::lock_guard lock(DataMutex_);
            Data_->Name = std::move(name);
        });
}

bool TOxEthernet::WriteName() {
    const bool answered = Perform({ofSet, ReplyAcknowledge(), SlowTimeout}, [this](TOXcFunc& r) {
        std::lock_guard lock(DataMutex_);
        r.SetCommand(ifc::Ethernet, fnName);
        // Always the full 32 characters: a shorter name is padded with zeros, a longer
        // one cut.
        for (size_t i = 0; i < TEthernetData::NameLength; ++i) {
            r.AddByte(i < Data_->Name.size() ? static_cast<uint8_t>(Data_->Name[i]) : 0);
        }
    });
    Settle();
    return answered;
}

TEthernetData TOxEthernet::CopyOut() const {
    std::lock_guard lock(DataMutex_);
    return *Data_;
}

void TOxEthernet::CopyIn(const TEthernetData& data) {
    std::lock_guard lock(DataMutex_);
    *Data_ = data;
}

}  // namespace ryvorn
