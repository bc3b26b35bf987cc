// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ryvorn {

// A calendar date and time of day as the controller keeps them (no time zone). The zero
// value (all fields 0) stands for "no valid date": a controller clock or result stamp
// that does not hold an existing date is kept as zero.
struct TDateTime {
    int Year = 0;
    uint8_t Month = 0;
    uint8_t Day = 0;
    uint8_t Hour = 0;
    uint8_t Minute = 0;
    uint8_t Second = 0;

    // False for the zero value.
    bool IsSet() const { return Year != 0; }
    bool operator==(const TDateTime&) const = default;
};

// The date-time of the fields; the zero value when the date does not exist (30 February,
// month 13) or the time is outside 00:00:00..23:59:59.
TDateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second);

// "YYYY-MM-DD HH:MM:SS"; the empty text for the zero value.
std::string DateTimeText(const TDateTime& value);
// The inverse of DateTimeText; nullopt unless the text has that form and the date exists.
std::optional<TDateTime> ParseDateTimeText(std::string_view text);

// The host's local time now.
TDateTime LocalDateTimeNow();

}  // namespace ryvorn
