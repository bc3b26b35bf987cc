// SPDX-License-Identifier: MIT
#include "sim/sim_ethernet.h"

#include <cstdio>

#include "link/ip_address.h"

namespace ryvorn::sim {

namespace {
constexpr uint8_t Ack = 'U';
}  // namespace

std::optional<Bytes> SimEthernet::Handle(std::span<const uint8_t> r) {
    if (r.size() < 2) return std::nullopt;
    const bool read = r.size() == 2;
    Bytes out = Echo(r, 2);
    switch (r[1]) {
        case 0: return Bytes{Ack};
        case 1:
            PutBE16(out, ApplicationId);
            PutBE16(out, ApplicationVersion);
            return out;
        case 2:
            if (read) {
                for (uint32_t v : {IpAddress, SubnetMask, Gateway}) PutBE32(out, v);
                for (uint16_t v : PortParameters) PutBE16(out, v);
                for (uint16_t v : DataParameters) PutBE16(out, v);
                return out;
            }
            if (r.size() != 30) return std::nullopt;
            IpAddress = GetBE32(&r[2]);
            SubnetMask = GetBE32(&r[6]);
            Gateway = GetBE32(&r[10]);
            for (size_t i = 0; i < 4; ++i) PortParameters[i] = GetBE16(&r[14 + 2 * i]);
            for (size_t i = 0; i < 4; ++i) DataParameters[i] = GetBE16(&r[22 + 2 * i]);
            return Bytes{Ack};
        case 3:
            if (read) {
                out.insert(out.end(), MacAddress.begin(), MacAddress.end());
                return out;
            }
            if (r.size() != 8) return std::nullopt;
            std::copy(r.begin() + 2, r.end(), MacAddress.begin());
            return Bytes{Ack};
        case 4:
            if (read) {
                for (size_t i = 0; i < NameLength; ++i) {
                    out.push_back(i < Name.size() ? static_cast<uint8_t>(Name[i]) : 0);
                }
                return out;
            }
            if (r.size() != 2 + NameLength) return std::nullopt;
            Name.clear();
            for (size_t i = 2; i < r.size() && r[i] != 0; ++i) Name.push_back(static_cast<char>(r[i]));
            return Bytes{Ack};
        default: return std::nullopt;
    }
}

std::optional<std::string> SimEthernet::Command(const Words& w) {
    if (w.empty() || w[0] != "ethernet") return std::nullopt;
    if (auto answer = SwitchCommand(w, "ethernet")) return answer;
    if (w.size() == 2 && w[1] == "get") {
        char mac[32];
        std::snprintf(mac, sizeof mac, "%02X:%02X:%02X:%02X:%02X:%02X", MacAddress[0], MacAddress[1],
                      MacAddress[2], MacAddress[3], MacAddress[4], MacAddress[5]);
        return "ethernet ip=" + AddressToString(IpAddress) + " mask=" + AddressToString(SubnetMask) +
               " gateway=" + AddressToString(Gateway) + " mac=" + mac + " name=" + Name;
    }
    return "error: usage: ethernet on|off|get";
}

}  // namespace ryvorn::sim
