// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>

#include "device/presence_module.h"

namespace ryvorn {

// The controller's passphrase: eight bytes, in the form the payload scrambler takes it.
using TPassphrase = std::array<uint8_t, 8>;

struct TEncryptionData {
    TPassphrase Passphrase{};
};

// A passphrase text as the scrambler forms it: its first eight characters, right-aligned
// with leading blanks. The empty text gives eight blanks, the "no scrambling" passphrase.
TPassphrase PassphraseFromText(const std::string& text);
std::string PassphraseText(const TPassphrase& passphrase);

// Interface 98: the passphrase that scrambles program and recipe transfers. Setting it
// makes the controller clear all its programs and recipes.
class TOxEncryption : public TOxPresenceModule {
  public:
    // The controller clears its programs and recipes before it acknowledges.
    static constexpr uint16_t SetPassphraseTimeout = 2000;

    TOxEncryption(int32_t address, TOXProt* protocol);

    void AssignData(TSbcDeviceData& record) override;
    // The presence check first (one request per cycle while it lasts); when present, the
    // flagged operations, each flag cleared after a reply when no OnUpdate handler is
    // assigned.
    void Process() override;

    // 98 1 → exactly 10 bytes: the eight passphrase bytes.
    bool GetPassphrase();
    // 98 1 and the eight bytes of the data area → "U"; "S" when busy.
    bool SetPassphrase();

    TPassphrase Passphrase() const;
    // What SetPassphrase sends.
    void StorePassphrase(const TPassphrase& passphrase);

    TRequestFlag GetPassphraseRequest{false};
    TRequestFlag SetPassphraseRequest{false};

  private:
    mutable std::mutex DataMutex_;
    TEncryptionData* Data_ = nullptr;
};

}  // namespace ryvorn
