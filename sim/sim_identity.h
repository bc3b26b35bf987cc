// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "sim/sim_interface.h"

namespace ryvorn::sim {

// What the controller says about itself.
struct SimIdentity {
    uint16_t IdCode = 0x0617;
    uint16_t Version = 0x0205;
    uint8_t Build = 0x11;
    uint32_t SerialNumber = 0x00123456;
    uint16_t ProductCode = 0x0101;
    bool SwadAvailable = true;
};

// Applies "key=value" settings (id, version, build, serial, product, swad; numbers in
// hexadecimal); false with a message for an unknown key or a bad number.
bool ApplyIdentitySetting(SimIdentity& identity, const std::string& setting, std::string& error);

// The identification requests: id code "]", version "Z", software address "` 0",
// product code 201 255, serial number "^ 8".
class SimIdentification : public SimInterface {
public:
    explicit SimIdentification(SimIdentity& identity) : Identity_(identity) {}
    bool Accepts(std::span<const uint8_t> request) const override;
    std::optional<Bytes> Handle(std::span<const uint8_t> request) override;

private:
    SimIdentity& Identity_;
};

// Replies with the request unchanged, on an interface number no module uses; for
// framing and length tests.
class SimEcho : public SimInterface {
public:
    static constexpr uint8_t Interface = 250;
    bool Accepts(std::span<const uint8_t> request) const override {
        return !request.empty() && request[0] == Interface;
    }
    std::optional<Bytes> Handle(std::span<const uint8_t> request) override {
        return Bytes(request.begin(), request.end());
    }
};

}  // namespace ryvorn::sim
