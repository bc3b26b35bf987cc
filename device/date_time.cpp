// SPDX-License-Identifier: MIT
#include "device/date_time.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace ryvorn {

TDateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
    namespace chr = std::chrono;
    // year_month_day takes the month and day as unsigned: anything outside 1..255 is
    // refused here before the conversion could wrap it into range.
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return {};
    const chr::year_month_day date{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                                   chr::day{static_cast<unsigned>(day)}};
    if (!date.ok()) return {};
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return {};
    return {year,
            static_cast<uint8_t>(month),
            static_cast<uint8_t>(day),
            static_cast<uint8_t>(hour),
            static_cast<uint8_t>(minute),
            static_cast<uint8_t>(second)};
}

std::string DateTimeText(const TDateTime& value) {
    if (!value.IsSet()) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02u:%02u:%02u", value.Year, unsigned{value.Month},
                  unsigned{value.Day}, unsigned{value.Hour}, unsigned{value.Minute}, unsigned{value.Second});
    return text;
}

std::optional<TDateTime> ParseDateTimeText(std::string_view text) {
    // Exactly "YYYY-MM-DD HH:MM:SS": every digit where it belongs, nothing more.
    constexpr std::string_view Form = "0000-00-00 00:00:00";
    if (text.size() != Form.size()) return std::nullopt;
    for (size_t i = 0; i < Form.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (Form[i] == '0' ? !digit : text[i] != Form[i]) return std::nullopt;
    }
    const auto number = [&](size_t at, size_t length) {
        int v = 0;
        for (size_t i = at; i < at + length; ++i) v = v * 10 + (text[i] - '0');
        return v;
    };
    const TDateTime value =
        MakeDateTime(number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2), number(17, 2));
    if (!value.IsSet()) return std::nullopt;
    return value;
}

TDateTime LocalDateTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return MakeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        // a leap second shows as the last second of its minute
                        local.tm_sec > 59 ? 59 : local.tm_sec);
}

}  // namespace ryvorn
