// SPDX-License-Identifier: MIT
#include "sim/sim_results.h"

#include <bit>
#include <ctime>

namespace ryvorn::sim {

SimResults::SimResults() {
    Add(7, 12500, 1, 0);
    Add(8, -250, 2, 1);
}

bool SimResults::Add(int32_t tag, int32_t value, uint16_t format, uint16_t unit) {
    for (int i = 0; i < SlotCount && i < static_cast<int>(Slots.size()); ++i) {
        Slot& s = Slots[static_cast<size_t>(i)];
        if (s.Pending) continue;
        const std::time_t now = std::time(nullptr);
        std::tm t{};
        localtime_r(&now, &t);
        s = {true, NextIndex_++, t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec,
             tag,  value,        format,           unit};
        return true;
    }
    return false;
}

uint16_t SimResults::PendingMask() const {
    uint16_t mask = 0;
    for (size_t i = 0; i < Slots.size(); ++i) {
        if (Slots[i].Pending) mask |= static_cast<uint16_t>(1u << i);
    }
    return mask;
}

std::optional<Bytes> SimResults::Handle(std::span<const uint8_t> r) {
    if (r[1] == 100) {
        Bytes out = Echo(r, 2);
        out.push_back(SlotCount);
        out.push_back(SecondCount);
        return out;
    }
    if (r.size() < 4) return std::nullopt;
    const uint16_t mask = GetBE16(&r[2]);
    if (r[1] == 101) {
        const uint16_t returned = mask & PendingMask();
        Bytes out = Echo(r, 2);
        PutBE16(out, returned);
        for (size_t i = 0; i < SlotCount && i < Slots.size(); ++i) {
            if (!(returned & (1u << i))) continue;
            const Slot& s = Slots[i];
            PutBE16(out, s.Index);
            // The year is a plain number: below 80 it means 20yy.
            for (int v : {s.Year % 100, s.Month, s.Day, s.Hour, s.Minute, s.Second})
                out.push_back(static_cast<uint8_t>(v));
            PutBE32(out, static_cast<uint32_t>(s.Tag));
            PutBE32(out, static_cast<uint32_t>(s.Value));
            PutBE16(out, s.Format);
            PutBE16(out, s.Unit);
        }
        return out;
    }
    // Mark: an Index for every bit of the mask, in slot order. A pending slot whose Index
    // matches is done with; the acknowledged mask holds every slot of the mask that is no
    // longer pending, so a result the tool names wrongly stays and shows in the answer.
    const size_t named = static_cast<size_t>(std::popcount(mask));
    if (r.size() < 4 + 2 * named) return Bytes{'X'};
    uint16_t acknowledged = 0;
    size_t at = 4;
    for (size_t i = 0; i < Slots.size(); ++i) {
        if (!(mask & (1u << i))) continue;
        Slot& slot = Slots[i];
        if (slot.Pending && slot.Index == GetBE16(&r[at])) {
            slot.Pending = false;
            ++Marked;
        }
        if (!slot.Pending) acknowledged |= static_cast<uint16_t>(1u << i);
        at += 2;
    }
    Bytes out = Echo(r, 2);
    PutBE16(out, acknowledged);
    return out;
}

std::optional<std::string> SimResults::Command(const Words& w) {
    // result TAG VALUE [FORMAT [UNIT]] | result pending
    if (w.empty() || w[0] != "result") return std::nullopt;
    if (w.size() == 2 && w[1] == "pending") {
        return "pending " + std::to_string(PendingMask()) + " marked " + std::to_string(Marked);
    }
    int64_t tag = 0, value = 0, format = 0, unit = 0;
    if (w.size() < 3 || w.size() > 5 || !ParseNumber(w[1], tag) || !ParseNumber(w[2], value) ||
        (w.size() > 3 && !ParseNumber(w[3], format)) || (w.size() > 4 && !ParseNumber(w[4], unit))) {
        return "error: usage: result TAG VALUE [FORMAT [UNIT]] | result pending";
    }
    return Add(static_cast<int32_t>(tag), static_cast<int32_t>(value), static_cast<uint16_t>(format),
               static_cast<uint16_t>(unit))
               ? "ok"
               : "error: every result slot is taken";
}

}  // namespace ryvorn::sim
