// SPDX-License-Identifier: MIT
// The "indicators" subcommand: every indicator of the controller, as the indicators page
// shows it and as the controller reports it.

#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/field_output.h"
#include "cli/module_report.h"
#include "cli/query_pages.h"
#include "device/device_family.h"
#include "device/fixed_point_text.h"
#include "device/sbc_device.h"

namespace ryvorn::cli {

namespace {

// The indicator's reading: "NOT AVAIL" without the available flag (0x80); over or under
// range (0x40) as "oooooooo" or "uuuuuuuu"; 7 decimals as the plain value; otherwise the
// value carries one digit more than it shows.
std::string Reading(const TIndicatorEntry& e) {
    if (!(e.Flags & 0x80)) return "NOT AVAIL";
    if (e.Flags & 0x40) return e.Value < 0 ? "uuuuuuuu" : "oooooooo";
    if (e.Decimals == 7) return ValToStr(e.Value, 0);
    return ValToStr(TenthRounded(e.Value), e.Decimals);
}

void RunIndicators(CliContext& ctx, bool json) {
    TLink* link = ctx.Link();
    if (!link) return;
    TOxSbcDevice device(link->Address(), link->Prot());
    TOxSbcIndicatorModule& indicator = device.Indicator();
    if (!RunOperation(ctx, "indicators", indicator, &TOxSbcIndicatorModule::Info)) return;
    const uint16_t count = indicator.Count();
    std::vector<TIndicatorEntry> entries;
    if (!ReadEveryEntry(ctx, "indicators", indicator, count, entries)) return;

    std::vector<OutputField> fields{{"Indicators", "count", std::to_string(count), std::to_string(count)}};
    std::vector<std::string> items;
    for (size_t i = 0; i < entries.size(); ++i) {
        const TIndicatorEntry& e = entries[i];
        const std::string number = std::to_string(i + 1);
        if (json) {
            items.push_back(JsonObject({{"", "number", "", number},
                                        {"", "reading", Reading(e)},
                                        {"", "value", "", std::to_string(e.Value)},
                                        {"", "decimals", "", std::to_string(e.Decimals)},
                                        {"", "flags", "", std::to_string(e.Flags)}}));
        } else {
            fields.emplace_back("Indicator " + number, "",
                                Reading(e) + " (value " + std::to_string(e.Value) + ", decimals " +
                                    std::to_string(e.Decimals) + ", flags " + HexDigits(e.Flags, 2) + ")");
        }
    }
    if (json) fields.emplace_back("", "indicators", "", JsonArray(items));
    PrintFields(fields, json);
}

}  // namespace

void AddIndicatorsCommand(CLI::App& app, CliContext& ctx) {
    auto json = std::make_shared<bool>(false);
    auto* indicators = app.add_subcommand("indicators", "Read every indicator of the controller");
    indicators->footer(
        "Reads the indicator count, then every indicator, and prints one line each:\n"
        "  Indicators: 20\n"
        "  Indicator 1: 100 (value 1000, decimals 0, flags 90)\n"
        "The reading is what the indicators page shows: the value carries one digit more than\n"
        "its decimals (rounded away from zero), except with 7 decimals; \"NOT AVAIL\" without\n"
        "flag 80 (available), \"oooooooo\"/\"uuuuuuuu\" with flag 40 (over/under range).\n"
        "Flags are hexadecimal: 80 available, 40 over or under range, the rest the controller's.\n"
        "Example: ryvorn-cli --serial /dev/ttyUSB0 indicators --json");
    indicators->add_flag("--json", *json, "Print one JSON object with an array of the indicators");
    indicators->callback([&ctx, json] { RunIndicators(ctx, *json); });
}

}  // namespace ryvorn::cli
