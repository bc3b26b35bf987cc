// SPDX-License-Identifier: MIT
#include "sim/sim_user_interface.h"

#include <cstdlib>

namespace ryvorn::sim {

namespace {

// 3 x 5 digit glyphs, one row a byte (bit 2 = left column).
constexpr uint8_t Glyphs[12][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}, {0, 0, 7, 0, 0},  // minus
    {0, 0, 0, 0, 2},                                                                      // decimal point
};

std::string ValueText(int32_t value, int decimals) {
    std::string digits = std::to_string(std::abs(static_cast<long long>(value)));
    while (static_cast<int>(digits.size()) <= decimals) digits.insert(digits.begin(), '0');
    if (decimals > 0) digits.insert(digits.end() - decimals, '.');
    return value < 0 ? "-" + digits : digits;
}

}  // namespace

bool SimUserInterface::Pixel(int x, int y) const {
    if (x == 0 || y == 0 || x == Width - 1 || y == Height - 1) return true;  // frame
    // The value, each glyph scaled 4 times, right-aligned on rows 22..41.
    const std::string text = ValueText(Value, Decimals & 7);
    constexpr int Scale = 4, Pitch = 4 * Scale, Top = 22;
    const int left = Width - 6 - static_cast<int>(text.size()) * Pitch;
    if (y < Top || y >= Top + 5 * Scale || x < left) return false;
    const int index = (x - left) / Pitch;
    const int gx = (x - left) % Pitch / Scale;
    if (index >= static_cast<int>(text.size()) || gx > 2) return false;
    const char c = text[static_cast<size_t>(index)];
    const int glyph = c == '-' ? 10 : c == '.' ? 11 : c - '0';
    return (Glyphs[glyph][(y - Top) / Scale] >> (2 - gx)) & 1;
}

std::optional<Bytes> SimUserInterface::Handle(std::span<const uint8_t> r) {
    if (r[1] == 10) {
        // width, height, and further display parameters
        Bytes out = Echo(r, 2);
        for (uint16_t v : {uint16_t{Width}, uint16_t{Height}, uint16_t{1}, uint16_t{8}, uint16_t{0x20},
                           uint16_t{0}, uint16_t{0}}) {
            PutBE16(out, v);
        }
        return out;
    }
    if (r.size() < 4) return std::nullopt;
    const uint8_t key = r[2];
    const int band = r[3] & 7;
    if (key != 0) {
        LastKey = key;
        ++KeysReceived;
    }
    Bytes out = Echo(r, 2);
    out.push_back(static_cast<uint8_t>((Flags & 0xF8) | (Decimals & 7)));
    PutBE24(out, static_cast<uint32_t>(Value));
    const int first = r[1] == 12 ? Width / 2 : 0;  // a partial read sends the right half
    if (r[1] == 12) out.push_back(static_cast<uint8_t>(first));
    for (int x = first; x < Width; ++x) {
        uint8_t column = 0;
        for (int j = 0; j < 8; ++j) column |= static_cast<uint8_t>(Pixel(x, band * 8 + j) << j);
        out.push_back(column);
    }
    return out;
}

std::optional<std::string> SimUserInterface::Command(const Words& w) {
    // ui value V [DECIMALS [FLAGS]]
    if (w.empty() || w[0] != "ui") return std::nullopt;
    if (w.size() >= 3 && w.size() <= 5 && w[1] == "value") {
        int64_t v = 0, d = Decimals, f = Flags;
        if (!ParseNumber(w[2], v) || (w.size() > 3 && !ParseNumber(w[3], d)) ||
            (w.size() > 4 && !ParseNumber(w[4], f)))
            return "error: bad number";
        Value = static_cast<int32_t>(v);
        Decimals = static_cast<uint8_t>(d & 7);
        Flags = static_cast<uint8_t>(f & 0xF8);
        return "ok";
    }
    if (w.size() == 2 && w[1] == "key")
        return "key " + std::to_string(LastKey) + " count " + std::to_string(KeysReceived);
    return "error: usage: ui value V [DECIMALS [FLAGS]] | ui key";
}

}  // namespace ryvorn::sim
