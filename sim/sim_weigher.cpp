// SPDX-License-Identifier: MIT
#include "sim/sim_weigher.h"

namespace ryvorn::sim {

SimWeigher::SimWeigher() {
    for (size_t i = 0; i < Values.size(); ++i) Values[i] = static_cast<int32_t>(i * 100);
}

std::optional<Bytes> SimWeigher::Handle(std::span<const uint8_t> r) {
    if (r[1] == 0) return Bytes{static_cast<uint8_t>(Present ? 'U' : 'X')};
    if (!Present) return std::nullopt;
    Bytes out = Echo(r, 2);
    switch (r[1]) {
        case 1: {  // read the values of a mask
            if (r.size() < 6) return Bytes{'X'};
            const uint32_t mask = GetBE32(&r[2]);
            PutBE32(out, mask);
            for (int bit = 0; bit < 32; ++bit) {
                if (mask & (1u << bit)) PutBE32(out, static_cast<uint32_t>(Values[static_cast<size_t>(bit)]));
            }
            return out;
        }
        case 5: {  // write the values of a mask
            if (r.size() < 6) return Bytes{'X'};
            const uint32_t mask = GetBE32(&r[2]);
            size_t at = 6;
            for (int bit = 0; bit < 32; ++bit) {
                if (!(mask & (1u << bit))) continue;
                if (at + 4 > r.size()) return Bytes{'X'};
                Values[static_cast<size_t>(bit)] = static_cast<int32_t>(GetBE32(&r[at]));
                at += 4;
            }
            PutBE16(out, 0);
            return out;
        }
        case 6:
            ++Saves;
            PutBE16(out, 0);
            return out;
        case 2:
        case 3:  // set / reset with a parameter
            if (r.size() < 6) return Bytes{'X'};
            LastValue = static_cast<int32_t>(GetBE32(&r[2]));
            PutBE16(out, 0);
            return out;
        case 4: {
            if (r.size() < 4) return Bytes{'X'};
            const uint16_t sub = GetBE16(&r[2]);
            // Sub-commands 2 and 4 carry a value.
            if ((sub == 2 || sub == 4) && r.size() < 8) return Bytes{'X'};
            if (sub == 2 || sub == 4) LastValue = static_cast<int32_t>(GetBE32(&r[4]));
            PutBE16(out, sub);
            if (sub == 5) {  // information: a value, the command parameter, a value to scale, one more
                PutBE32(out, static_cast<uint32_t>(CommandParameter));
                PutBE32(out, static_cast<uint32_t>(Values[1]));
                PutBE32(out, 0);
                return out;  // 16 bytes
            }
            LastCommand = sub;
            PutBE32(out, 0);
            return out;
        }
        default:
            return std::nullopt;
    }
}

std::optional<std::string> SimWeigher::Command(const Words& w) {
    // weigher present 0|1 | weigher value BIT VALUE | weigher saves | weigher last (the last
    // sub-command and the last value a command, set or reset carried)
    if (w.empty() || w[0] != "weigher") return std::nullopt;
    int64_t a = 0, b = 0;
    if (w.size() == 3 && w[1] == "present" && ParseNumber(w[2], a)) {
        Present = a != 0;
        return "ok";
    }
    if (w.size() == 4 && w[1] == "value" && ParseNumber(w[2], a) && ParseNumber(w[3], b) && a >= 0 &&
        a < 32) {
        Values[static_cast<size_t>(a)] = static_cast<int32_t>(b);
        return "ok";
    }
    if (w.size() == 2 && w[1] == "saves") return "saves " + std::to_string(Saves);
    if (w.size() == 2 && w[1] == "last") {
        return "command " + std::to_string(LastCommand) + " value " + std::to_string(LastValue);
    }
    return "error: usage: weigher present 0|1 | weigher value BIT VALUE | weigher saves | weigher last";
}

}  // namespace ryvorn::sim
