// SPDX-License-Identifier: MIT
#include "sim/sim_clock.h"

#include <cstdio>

namespace ryvorn::sim {

namespace {

bool Exists(int year, int month, int day, int hour, int minute, int second) {
    static constexpr int Days[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 || day > Days[month - 1]) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month == 2 && day == 29 && !leap) return false;
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

// A controller clock refuses a date that does not exist instead of rolling it over.
bool SetFromFields(SimClock& clock, int year, int month, int day, int hour, int minute, int second) {
    if (!Exists(year, month, day, hour, minute, second)) return false;
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    const std::time_t target = std::mktime(&t);
    if (target == static_cast<std::time_t>(-1)) return false;
    clock.Offset = target - std::time(nullptr);
    clock.Broken = false;
    return true;
}

std::string Text(std::time_t when) {
    std::tm t{};
    localtime_r(&when, &t);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &t);
    return text;
}

}  // namespace

std::optional<Bytes> SimClock::Handle(std::span<const uint8_t> r) {
    if (r[1] == 1) {
        Bytes out = Echo(r, 2);
        if (Broken) {
            // A clock that lost its date: 30 February 2000, a date that does not exist.
            for (uint8_t b : {0x00, 0x02, 0x30, 0x00, 0x00, 0x00}) out.push_back(b);
            return out;
        }
        const std::time_t now = Now();
        std::tm t{};
        localtime_r(&now, &t);
        for (int v : {t.tm_year % 100, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec})
            out.push_back(ToBcd(v));
        return out;
    }
    if (r.size() < 8) return Bytes{'X'};
    const int yy = FromBcd(r[2]);
    const bool ok = SetFromFields(*this, yy < 50 ? 2000 + yy : 1900 + yy, FromBcd(r[3]), FromBcd(r[4]),
                                  FromBcd(r[5]), FromBcd(r[6]), FromBcd(r[7]));
    return Bytes{static_cast<uint8_t>(ok ? 'U' : 'X')};
}

std::optional<std::string> SimClock::Command(const Words& w) {
    // clock get | clock set YYYY-MM-DD HH:MM:SS | clock broken 0|1
    if (w.empty() || w[0] != "clock") return std::nullopt;
    if (w.size() == 2 && w[1] == "get") return "clock " + Text(Now());
    if (w.size() == 3 && w[1] == "broken") {
        Broken = w[2] != "0";
        return "ok";
    }
    int y, mo, d, h, mi, s;
    if (w.size() == 4 && w[1] == "set" && std::sscanf(w[2].c_str(), "%d-%d-%d", &y, &mo, &d) == 3 &&
        std::sscanf(w[3].c_str(), "%d:%d:%d", &h, &mi, &s) == 3 && SetFromFields(*this, y, mo, d, h, mi, s)) {
        return "ok";
    }
    return "error: usage: clock get | clock set YYYY-MM-DD HH:MM:SS | clock broken 0|1";
}

}  // namespace ryvorn::sim
