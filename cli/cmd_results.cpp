// SPDX-License-Identifier: MIT
// The "results" subcommand: the results the controller holds for the tool, read and,
// on request, marked as taken.

#include <CLI/CLI.hpp>
#include <bit>
#include <memory>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/field_output.h"
#include "cli/module_report.h"
#include "device/fixed_point_text.h"
#include "device/json_text.h"
#include "device/sbc_device.h"

namespace ryvorn::cli {

namespace {

struct ResultsOptions {
    bool Json = false;
    bool Mark = false;
};

OutputField SlotField(size_t slot, const TResultSlot& r, bool json) {
    const std::string time = DateTimeText(r.Time);
    const std::string value = ValToStr(r.Value, r.Decimals());
    if (!json) {
        return {"Result " + std::to_string(slot + 1), "",
                "index " + std::to_string(r.Index) + ", time " + (time.empty() ? "none" : time) + ", tag " +
                    std::to_string(r.Tag) + ", value " + value + ", unit " + std::to_string(r.Unit)};
    }
    return {"", "", "",
            JsonObject({{"", "slot", "", std::to_string(slot + 1)},
                        {"", "index", "", std::to_string(r.Index)},
                        {"", "time", "", time.empty() ? "null" : JsonText(time)},
                        {"", "tag", "", std::to_string(r.Tag)},
                        {"", "value", value},
                        {"", "raw_value", "", std::to_string(r.Value)},
                        {"", "format", "", std::to_string(r.Format)},
                        {"", "unit", "", std::to_string(r.Unit)}})};
}

void RunResults(CliContext& ctx, const ResultsOptions& o) {
    TLink* link = ctx.Link();
    if (!link) return;
    TOxSbcDevice device(link->Address(), link->Prot());
    TOxSbcResultModule& result = device.Result();
    if (!RunOperation(ctx, "results", result, &TOxSbcResultModule::Info)) return;
    result.SetSelectionMask(result.Snapshot().SlotMask());
    if (!RunOperation(ctx, "results", result, &TOxSbcResultModule::Query)) return;
    const TResultData d = result.Snapshot();
    int marked = 0;
    if (o.Mark && d.ReturnedMask != 0) {
        if (!RunOperation(ctx, "results", result, &TOxSbcResultModule::Mark)) return;
        marked = std::popcount(result.Snapshot().AcknowledgedMask);
    }

    std::vector<OutputField> fields{
        {"Slots", "slot_count", std::to_string(d.SlotCount), std::to_string(d.SlotCount)},
        {"Pending", "pending", std::to_string(std::popcount(d.ReturnedMask)),
         std::to_string(std::popcount(d.ReturnedMask))}};
    std::vector<std::string> items;
    for (size_t i = 0; i < TResultData::MaxSlots; ++i) {
        if (!(d.ReturnedMask >> i & 1)) continue;
        OutputField f = SlotField(i, d.Slots[i], o.Json);
        if (o.Json) {
            items.push_back(f.Json);
        } else {
            fields.push_back(std::move(f));
        }
    }
    if (o.Json) fields.emplace_back("", "results", "", JsonArray(items));
    if (o.Mark) fields.emplace_back("Marked", "marked", std::to_string(marked), std::to_string(marked));
    PrintFields(fields, o.Json);
}

}  // namespace

void AddResultsCommand(CLI::App& app, CliContext& ctx) {
    auto o = std::make_shared<ResultsOptions>();
    auto* results =
        app.add_subcommand("results", "Read the results the controller holds; mark them as taken");
    results->footer(
        "Asks for every result slot and prints the results still pending:\n"
        "  Slots: 16\n"
        "  Pending: 2\n"
        "  Result 1: index 1, time 2026-03-05 10:11:12, tag 7, value 1250.0, unit 0\n"
        "(the slot number from 1; the value with the decimals of its format; time \"none\" for a\n"
        "stamp that is not a valid date). --mark then marks what was read as taken, so the\n"
        "controller drops it, and prints \"Marked: N\", the results the controller acknowledged.\n"
        "Example: ryvorn-cli --udp 192.168.0.100 results --mark --json");
    results->add_flag("--json", o->Json, "Print one JSON object with an array of the results");
    results->add_flag("--mark", o->Mark, "Mark the results read as taken");
    results->callback([&ctx, o] { RunResults(ctx, *o); });
}

}  // namespace ryvorn::cli
