// SPDX-License-Identifier: MIT
// The "registers" subcommand: the controller's extended registers, read and written
// through its Extended Registers interface.

#include <CLI/CLI.hpp>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/field_output.h"
#include "cli/module_report.h"
#include "cli/query_pages.h"
#include "device/sbc_device.h"

namespace ryvorn::cli {

namespace {

struct RegistersOptions {
    bool Json = false;
    std::vector<std::string> Writes;  // N=VALUE
};

// A single-precision value with 7 significant digits in the shortest general form, as the
// extended registers page shows it.
std::string FloatText(float value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(value));
    return text;
}

// The 32 bits to write for the text: a float register takes a number with or without a
// fraction as single-precision bits, any other an integer.
std::optional<int32_t> ParseValue(const std::string& text, bool isFloat) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    if (isFloat) {
        const float f = std::strtof(text.c_str(), &end);
        if (*end != '\0' || errno != 0) return std::nullopt;
        return std::bit_cast<int32_t>(f);
    }
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || v < std::numeric_limits<int32_t>::min() ||
        v > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(v);
}

struct RegisterWrite {
    uint16_t Number;
    int32_t Value;
};

// "N=VALUE" for a register 1..count; false (and the command failed) otherwise.
bool ParseWrite(CliContext& ctx, const std::string& text, const TExtRegisterData& info,
                RegisterWrite& write) {
    const auto equals = text.find('=');
    // The number's text lives as long as end points into it.
    const std::string numberText = text.substr(0, equals);
    char* end = nullptr;
    const long number = std::strtol(numberText.c_str(), &end, 10);
    if (equals == std::string::npos || numberText.empty() || *end != '\0' || number < 1 ||
        number > info.Count) {
        ctx.Fail("registers: --write takes N=VALUE with a register number 1-" + std::to_string(info.Count) +
                     ": " + text,
                 2);
        return false;
    }
    const bool isFloat = info.IsFloat(static_cast<uint16_t>(number));
    const auto value = ParseValue(text.substr(equals + 1), isFloat);
    if (!value) {
        ctx.Fail("registers: register " + std::to_string(number) + " takes " +
                     (isFloat ? "a number" : "a 32-bit integer") + ": " + text,
                 2);
        return false;
    }
    write = {static_cast<uint16_t>(number), *value};
    return true;
}

void RunRegisters(CliContext& ctx, const RegistersOptions& o) {
    TLink* link = ctx.Link();
    if (!link) return;
    TOxSbcDevice device(link->Address(), link->Prot());
    TOxSbcExtRegisterModule& ext = device.ExtRegister();
    if (!RunOperation(ctx, "registers", ext, &TOxSbcExtRegisterModule::Info)) return;
    const TExtRegisterData info = ext.Snapshot();
    std::vector<RegisterWrite> writes(o.Writes.size());
    for (size_t i = 0; i < writes.size(); ++i) {
        if (!ParseWrite(ctx, o.Writes[i], info, writes[i])) return;
    }
    for (const RegisterWrite& w : writes) {
        ext.SetWrite(static_cast<uint16_t>(w.Number - 1), w.Value);
        if (!RunOperation(ctx, "registers", ext, &TOxSbcExtRegisterModule::Set)) return;
    }
    std::vector<int32_t> values;
    if (!ReadEveryEntry(ctx, "registers", ext, info.Count, values)) return;

    const bool floats = info.FirstFloat != 0;
    std::vector<OutputField> fields{
        {"Registers", "count", std::to_string(info.Count), std::to_string(info.Count)},
        {"Float registers", "floats",
         floats ? std::to_string(info.FirstFloat) + "-" + std::to_string(info.LastFloat) : "none",
         floats ? "[" + std::to_string(info.FirstFloat) + ", " + std::to_string(info.LastFloat) + "]"
                : "null"}};
    std::vector<std::string> items;
    for (size_t i = 0; i < values.size(); ++i) {
        const auto number = static_cast<uint16_t>(i + 1);
        const bool isFloat = info.IsFloat(number);
        const std::string text =
            isFloat ? FloatText(std::bit_cast<float>(values[i])) : std::to_string(values[i]);
        if (o.Json) {
            const bool finite = !isFloat || std::isfinite(std::bit_cast<float>(values[i]));
            std::vector<OutputField> item{{"", "number", "", std::to_string(number)},
                                          {"", "value", "", finite ? text : "null"}};
            if (isFloat) item.emplace_back("", "bits", "", std::to_string(values[i]));
            items.push_back(JsonObject(item));
        } else {
            fields.emplace_back("Register " + std::to_string(number), "", text);
        }
    }
    if (o.Json) fields.emplace_back("", "registers", "", JsonArray(items));
    PrintFields(fields, o.Json);
}

}  // namespace

void AddRegistersCommand(CLI::App& app, CliContext& ctx) {
    auto o = std::make_shared<RegistersOptions>();
    auto* registers = app.add_subcommand("registers", "Read and write the controller's extended registers");
    registers->footer(
        "Reads every extended register and prints one line each:\n"
        "  Registers: 200\n"
        "  Float registers: 101-120     (\"none\" when the controller reports no float range)\n"
        "  Register 1: 0                a signed integer\n"
        "  Register 101: 50.5           a float register, 7 significant digits\n"
        "--write N=VALUE (repeatable) writes register N first: a number such as 2.5 for a float\n"
        "register, an integer for any other. In JSON a float register also gives its 32 bits.\n"
        "Example: ryvorn-cli --udp 192.168.0.100 registers --write 5=77 --write 105=2.5");
    registers->add_flag("--json", o->Json, "Print one JSON object with an array of the registers");
    registers->add_option("--write", o->Writes, "Write register N (from 1) with VALUE first, as N=VALUE");
    registers->callback([&ctx, o] { RunRegisters(ctx, *o); });
}

}  // namespace ryvorn::cli
