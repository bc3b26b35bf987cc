// SPDX-License-Identifier: MIT
// The "clock" subcommand: the controller's real-time clock, read and set.

#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/field_output.h"
#include "cli/module_report.h"
#include "device/json_text.h"
#include "device/sbc_device.h"

namespace ryvorn::cli {

namespace {

struct ClockOptions {
    bool Json = false;
    std::string Set;  // empty: only read
};

void RunClock(CliContext& ctx, const ClockOptions& o) {
    std::optional<TDateTime> set;
    if (!o.Set.empty()) {
        set = o.Set == "now" ? LocalDateTimeNow() : ParseDateTimeText(o.Set);
        if (!set)
            return ctx.Fail("clock: --set takes now or \"YYYY-MM-DD HH:MM:SS\" (a valid date): " + o.Set, 2);
        // The clock keeps the year in two digits, read back as 1950..2049.
        if (set->Year < 1950 || set->Year > 2049) {
            return ctx.Fail("clock: the controller's clock holds the years 1950 to 2049: " + o.Set, 2);
        }
    }
    TLink* link = ctx.Link();
    if (!link) return;
    TOxSbcDevice device(link->Address(), link->Prot());
    TRtcModule& clock = device.RealTimeClock();
    if (set) {
        clock.SetClockToWrite(*set);
        if (!RunOperation(ctx, "clock", clock, &TRtcModule::Write)) return;
    }
    if (!RunOperation(ctx, "clock", clock, &TRtcModule::Read)) return;
    const std::string text = DateTimeText(clock.ClockRead());
    PrintFields(
        {{"Clock", "clock", text.empty() ? "no valid date" : text, text.empty() ? "null" : JsonText(text)}},
        o.Json);
}

}  // namespace

void AddClockCommand(CLI::App& app, CliContext& ctx) {
    auto o = std::make_shared<ClockOptions>();
    auto* clock = app.add_subcommand("clock", "Read or set the controller's real-time clock");
    clock->footer(
        "Reads the clock and prints it:\n"
        "  Clock: 2026-03-05 10:11:12     (\"no valid date\" when the clock holds none)\n"
        "--set sets it first, to this computer's local time (now) or to the given date and time;\n"
        "the clock keeps the years 1950 to 2049.\n"
        "Example: ryvorn-cli --serial /dev/ttyUSB0 clock --set \"2026-03-05 10:11:12\"");
    clock->add_flag("--json", o->Json, "Print the clock as a JSON object (null for no valid date)");
    clock->add_option("--set", o->Set, "Set the clock first: now, or \"YYYY-MM-DD HH:MM:SS\"");
    clock->callback([&ctx, o] { RunClock(ctx, *o); });
}

}  // namespace ryvorn::cli
