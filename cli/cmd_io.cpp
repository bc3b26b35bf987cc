// SPDX-License-Identifier: MIT
// The "io" subcommand: the controller's inputs, outputs and markers, read and switched
// through its I/O interface.

#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/field_output.h"
#include "cli/module_report.h"
#include "device/sbc_device.h"

namespace ryvorn::cli {

namespace {

struct IoOptions {
    bool Json = false;
    std::vector<uint16_t> Set;
    std::vector<uint16_t> Reset;
};

struct IoKind {
    std::string Name;  // "Input"
    std::string Key;   // "input"
    uint16_t Size;
    uint16_t First;
};

std::vector<IoKind> Kinds(const TIoData& d) {
    return {{"Input", "input", d.InputSize(), d.FirstInput()},
            {"Output", "output", d.OutputSize(), d.FirstOutput()},
            {"Marker", "marker", d.MarkerSize(), d.FirstMarker()}};
}

// The kind's I/O numbers, first + 1 .. first + size: "1-16" and the states as the I/O page's
// "Bin" column shows them, eight to a group, the lowest number first.
void AddStates(const TIoData& d, const IoKind& kind, bool json, std::vector<OutputField>& fields) {
    std::string text;
    std::vector<std::string> bits;
    for (uint32_t i = 0; i < kind.Size; ++i) {
        const auto state = d.State(static_cast<uint16_t>(kind.First + 1 + i));
        const char c = !state ? '?' : *state ? '1' : '0';
        if (i > 0 && i % 8 == 0) text += ' ';
        text += c;
        bits.push_back(state ? std::string(1, c) : "null");
    }
    const std::string range =
        kind.Size == 0 ? std::string()
                       : " " + std::to_string(kind.First + 1) + "-" + std::to_string(kind.First + kind.Size);
    fields.emplace_back(kind.Name + "s" + range, kind.Key + "s", kind.Size ? text : "none",
                        json ? JsonArray(bits) : "");
}

// True when the number names an input, an output or a marker of the Info.
bool IsIoNumber(const TIoData& d, uint16_t number) {
    for (const IoKind& k : Kinds(d)) {
        if (number > k.First && number <= k.First + k.Size) return true;
    }
    return false;
}

std::string Ranges(const TIoData& d) {
    std::string text;
    for (const IoKind& k : Kinds(d)) {
        if (!text.empty()) text += ", ";
        text += k.Key + "s " +
                (k.Size ? std::to_string(k.First + 1) + "-" + std::to_string(k.First + k.Size) : "none");
    }
    return text;
}

void RunIo(CliContext& ctx, const IoOptions& o) {
    if (o.Set.size() > TIoBitList::Capacity || o.Reset.size() > TIoBitList::Capacity) {
        return ctx.Fail("io: at most 17 I/O numbers for --set and for --reset", 2);
    }
    TLink* link = ctx.Link();
    if (!link) return;
    TOxSbcDevice device(link->Address(), link->Prot());
    TOxSbcIoModule& io = device.Io();
    if (!RunOperation(ctx, "io", io, &TOxSbcIoModule::Info)) return;
    const TIoData info = io.Snapshot();
    for (const auto* list : {&o.Set, &o.Reset}) {
        for (uint16_t number : *list) {
            if (!IsIoNumber(info, number)) {
                return ctx.Fail("io: " + std::to_string(number) + " is no I/O number of the controller (" +
                                    Ranges(info) + ")",
                                2);
            }
        }
    }
    if (!o.Set.empty() && (!io.SetSetList(o.Set) || !RunOperation(ctx, "io", io, &TOxSbcIoModule::Set)))
        return;
    if (!o.Reset.empty() &&
        (!io.SetResetList(o.Reset) || !RunOperation(ctx, "io", io, &TOxSbcIoModule::Reset)))
        return;

    io.SetKindGroups();
    if (!RunOperation(ctx, "io", io, &TOxSbcIoModule::Query)) return;
    const TIoData d = io.Snapshot();
    std::vector<OutputField> fields;
    for (const IoKind& k : Kinds(d)) {
        const std::string size = std::to_string(k.Size);
        const std::string first = std::to_string(k.First);
        fields.emplace_back(k.Name + " size", k.Key + "_size", size, size);
        fields.emplace_back("First " + k.Key, "first_" + k.Key, first, first);
    }
    for (const IoKind& k : Kinds(d)) AddStates(d, k, o.Json, fields);
    PrintFields(fields, o.Json);
}

}  // namespace

void AddIoCommand(CLI::App& app, CliContext& ctx) {
    auto o = std::make_shared<IoOptions>();
    auto* io = app.add_subcommand("io", "Read the controller's inputs, outputs and markers; switch them");
    io->footer(
        "Reads the I/O Info and the states of every input, output and marker, and prints:\n"
        "  Input size, First input, Output size, First output, Marker size, First marker\n"
        "  Inputs 1-16: 10100000 00000000     one character per I/O number, the lowest first,\n"
        "                                     eight to a group (1 = on, 0 = off)\n"
        "  Outputs 17-32: ..., Markers 33-96: ...\n"
        "I/O numbers run from the first number + 1 to the first number + the size of their kind.\n"
        "--set and --reset switch I/O by number before the read (up to 17 numbers each, given\n"
        "repeatedly or separated by commas); a number outside the three ranges is refused.\n"
        "Example: ryvorn-cli --udp 192.168.0.100 io --set 40 --reset 41,42");
    io->add_flag("--json", o->Json, "Print the fields as one JSON object (states as arrays of 0 and 1)");
    io->add_option("--set", o->Set, "Switch on these I/O numbers")->delimiter(',');
    io->add_option("--reset", o->Reset, "Switch off these I/O numbers")->delimiter(',');
    io->callback([&ctx, o] { RunIo(ctx, *o); });
}

}  // namespace ryvorn::cli
