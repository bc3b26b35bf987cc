// SPDX-License-Identifier: MIT
#include "sim/sim_io.h"

#include "sim/sim_block_query.h"

namespace ryvorn::sim {

SimIo::SimIo() : Bits_(FirstMark + SizeMark) {
    // Something to see: a few inputs and one marker on.
    SetBit(FirstIn + 0, true);
    SetBit(FirstIn + 2, true);
    SetBit(FirstMark + 4, true);
}

bool SimIo::IsIo(size_t number) const {
    for (auto [first, size] :
         {std::pair{FirstIn, SizeIn}, std::pair{FirstOut, SizeOut}, std::pair{FirstMark, SizeMark}}) {
        if (number > first && number <= static_cast<size_t>(first) + size) return true;
    }
    return false;
}

void SimIo::SetBit(size_t n, bool on) {
    if (n >= Bits_.size()) Bits_.resize(n + 1);
    Bits_[n] = on;
}

std::optional<Bytes> SimIo::Handle(std::span<const uint8_t> r) {
    switch (r[1]) {
        case 20: {
            Bytes out = Echo(r, 2);
            for (uint16_t v : {SizeIn, SizeOut, SizeMark, uint16_t{0}, FirstIn, FirstOut, FirstMark,
                               uint16_t{0}, uint16_t{0}}) {
                PutBE16(out, v);
            }
            return out;
        }
        case 21:
            return Query(r);
        case 22:
            return Switch(r, true);
        default:
            return Switch(r, false);
    }
}

std::optional<Bytes> SimIo::Query(std::span<const uint8_t> r) const {
    // The blocks name state bytes of the bit space, bit 0 of a byte first.
    return AnswerBlockQuery(r, 1, [this](Bytes& out, size_t byte) {
        uint8_t state = 0;
        for (int j = 0; j < 8; ++j) state |= static_cast<uint8_t>(Bit(byte * 8 + j) << j);
        out.push_back(state);
    });
}

std::optional<Bytes> SimIo::Switch(std::span<const uint8_t> r, bool on) {
    if (r.size() < 4) return std::nullopt;
    const uint16_t n = GetBE16(&r[2]);
    if (r.size() < 4 + 2 * static_cast<size_t>(n)) return Bytes{'X'};
    for (size_t i = 0; i < n; ++i) {
        // Numbers that name no input, output or marker change nothing.
        const uint16_t number = GetBE16(&r[4 + 2 * i]);
        if (IsIo(number)) SetBit(number - 1u, on);
    }
    return Bytes{'U'};
}

std::optional<std::string> SimIo::Command(const Words& w) {
    // io input|output|marker K 0|1   (K counts from 1 within its kind)
    // io get NUMBER                  (the bit of I/O number NUMBER)
    if (w.empty() || w[0] != "io") return std::nullopt;
    int64_t k = 0, v = 0;
    if (w.size() == 4 && ParseNumber(w[2], k) && ParseNumber(w[3], v) && k >= 1) {
        const uint16_t first = w[1] == "input" ? FirstIn : w[1] == "output" ? FirstOut : FirstMark;
        const uint16_t size = w[1] == "input" ? SizeIn : w[1] == "output" ? SizeOut : SizeMark;
        if ((w[1] == "input" || w[1] == "output" || w[1] == "marker") && k <= size) {
            SetBit(static_cast<size_t>(first + k - 1), v != 0);
            return "ok";
        }
    }
    if (w.size() == 3 && w[1] == "get" && ParseNumber(w[2], k) && k >= 1) {
        return "io " + std::to_string(k) + " " + (Bit(static_cast<size_t>(k - 1)) ? "1" : "0");
    }
    return "error: usage: io input|output|marker K 0|1 | io get NUMBER";
}

}  // namespace ryvorn::sim
