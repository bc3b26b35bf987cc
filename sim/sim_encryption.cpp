// SPDX-License-Identifier: MIT
#include "sim/sim_encryption.h"

namespace ryvorn::sim {

std::optional<Bytes> SimEncryption::Handle(std::span<const uint8_t> r) {
    if (r.size() < 2) return std::nullopt;
    if (r[1] == 0) return Bytes{'U'};
    if (r[1] != 1) return std::nullopt;
    if (r.size() == 2) {
        Bytes out = Echo(r, 2);
        out.insert(out.end(), Passphrase.begin(), Passphrase.end());
        return out;
    }
    if (r.size() != 2 + Passphrase.size()) return std::nullopt;
    std::copy(r.begin() + 2, r.end(), Passphrase.begin());
    ++PassphraseSets;
    return Bytes{'U'};
}

std::optional<std::string> SimEncryption::Command(const Words& w) {
    if (w.empty() || w[0] != "encryption") return std::nullopt;
    if (auto answer = SwitchCommand(w, "encryption")) return answer;
    if (w.size() == 2 && w[1] == "get") {
        return "encryption passphrase=\"" + std::string(Passphrase.begin(), Passphrase.end()) +
               "\" sets=" + std::to_string(PassphraseSets);
    }
    return "error: usage: encryption on|off|get";
}

}  // namespace ryvorn::sim
