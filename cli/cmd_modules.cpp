// SPDX-License-Identifier: MIT
// The "modules" and "format" subcommands: the module definition table and the parameter
// formatters, which need no controller.

#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "device/module_catalogue_dump.h"
#include "device/param_formatters.h"

namespace ryvorn::cli {

namespace {

// A decimal 32-bit value, or a 32-bit pattern written in hex ("0x41424344"), which is the
// natural way to give a packed text parameter.
std::optional<int32_t> ParseValue(const std::string& text) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        uint32_t bits = 0;
        const auto [end, error] = std::from_chars(first + 2, last, bits, 16);
        if (error != std::errc{} || end != last) return std::nullopt;
        return static_cast<int32_t>(bits);
    }
    int32_t value = 0;
    const auto [end, error] = std::from_chars(first, last, value, 10);
    if (error != std::errc{} || end != last) return std::nullopt;
    return value;
}

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "ryvorn-cli: " << message << '\n';
    throw CLI::RuntimeError(1);
}

}  // namespace

void AddModulesCommands(CLI::App& app) {
    auto* modules = app.add_subcommand("modules", "List the module definition table");
    auto csv = std::make_shared<bool>(false);
    auto json = std::make_shared<bool>(false);
    modules->add_flag("--csv", *csv, "One CSV line per parameter of every module");
    modules->add_flag("--json", *json, "The whole table as JSON");
    modules->callback([csv, json] {
        if (*csv && *json) Fail("modules: give --csv or --json, not both");
        if (*csv)
            std::cout << ModuleCatalogueCsv();
        else if (*json)
            std::cout << ModuleCatalogueJson();
        else
            std::cout << ModuleCatalogueList();
        std::cout.flush();
    });

    auto* format = app.add_subcommand("format", "Show a parameter value as its formatter shows it");
    auto kind = std::make_shared<std::string>();
    auto value = std::make_shared<std::string>();
    format->add_option("KIND", *kind, "Formatter code name, e.g. dpParamIO")->required();
    format->add_option("VALUE", *value, "The stored value: decimal, or 0x followed by hex digits")
        ->required();
    format->callback([kind, value] {
        const auto number = ParseValue(*value);
        if (!number) Fail("format: '" + *value + "' is not a 32-bit value");
        const auto text = FormatByKindName(*kind, *number);
        if (!text) Fail("format: unknown formatter kind '" + *kind + "'");
        std::cout << *text << '\n';
        std::cout.flush();
    });
}

}  // namespace ryvorn::cli
