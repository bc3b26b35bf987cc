// SPDX-License-Identifier: MIT
#include "device/encryption_module.h"

#include "device/device_data.h"
#include "device/interface_numbers.h"

namespace ryvorn {

namespace {
constexpr uint8_t fnPassphrase = 1;
}  // namespace

TPassphrase PassphraseFromText(const std::string& text) {
    const std::string first = text.substr(0, 8);
    const std::string aligned = std::string(8 - first.size(), ' ') + first;
    TPassphrase passphrase{};
    for (size_t i = 0; i < passphrase.size(); ++i) passphrase[i] = static_cast<uint8_t>(aligned[i]);
    return passphrase;
}

std::string PassphraseText(const TPassphrase& passphrase) {
    return std::string(passphrase.begin(), passphrase.end());
}

TOxEncryption::TOxEncryption(int32_t address, TOXProt* protocol)
    : TOxPresenceModule(address, protocol, ifc::Encryption) {}

void TOxEncryption::AssignData(TSbcDeviceData& record) {
    Data_ = &record.Encryption;
    SetName("Encryption Interface");
}

void TOxEncryption::Process() {
    if (!CheckPresence()) return;
    Serve(GetPassphraseRequest, true, [this] { return GetPassphrase(); });
    Serve(SetPassphraseRequest, true, [this] { return SetPassphrase(); });
}

bool TOxEncryption::GetPassphrase() {
    return Perform(
        {ofGetPassphrase, ReplyExactly(10)}, [](TOXcFunc& r) { r.SetCommand(ifc::Encryption, fnPassphrase); },
        [this](TOXcFunc& r) {
            std::lock_guard lock(DataMutex_);
            for (auto& b : Data_->Passphrase) b = r.GetByte();
        });
}

bool TOxEncryption::SetPassphrase() {
    return Perform({ofSetPassphrase, ReplyAcknowledge(), SetPassphraseTimeout}, [this](TOXcFunc& r) {
        std::lock_guard lock(DataMutex_);
        r.SetCommand(ifc::Encryption, fnPassphrase);
        for (uint8_t b : Data_->Passphrase) r.AddByte(b);
    });
}

TPassphrase TOxEncryption::Passphrase() const {
    std::lock_guard lock(DataMutex_);
    return Data_->Passphrase;
}

void TOxEncryption::StorePassphrase(const TPassphrase& passphrase) {
    std::lock_guard lock(DataMutex_);
    Data_->Passphrase = passphrase;
}

}  // namespace ryvorn
