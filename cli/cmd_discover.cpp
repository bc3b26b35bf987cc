// SPDX-License-Identifier: MIT
// The "discover" subcommand: which modules the controller offers, as the module
// discovery after connecting finds them.

#include <CLI/CLI.hpp>
#include <atomic>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/field_output.h"
#include "cli/worker_session.h"

namespace ryvorn::cli {

namespace {
// Identification of an answering controller takes a few cycles; a discovery of a silent
// one ends after its attempts (three passes of request time-outs).
constexpr auto IdentifyTimeout = std::chrono::seconds(5);
constexpr auto DiscoveryTimeout = std::chrono::seconds(60);
}  // namespace

void AddDiscoverCommand(CLI::App& app, CliContext& ctx) {
    auto json = std::make_shared<bool>(false);
    auto* discover = app.add_subcommand("discover", "Find out which modules the controller offers");
    discover->footer(
        "Identifies the controller, then asks each of its modules for its information, as the\n"
        "application does after connecting, and prints the availability table by entry name:\n"
        "  io: yes\n"
        "  indicators: no\n"
        "  ...\n"
        "Example: ryvorn-cli --udp 192.168.0.100 discover --json");
    discover->add_flag("--json", *json, "Print the table as one JSON object of booleans");
    discover->callback([&ctx, json] {
        TLink* link = ctx.Link();
        if (!link) return;
        WorkerSession session(*link);
        std::atomic<bool> found{false}, scanned{false};
        TModuleAvailability table{};
        session.Device().SetOnIdentified([](TOxSbcDevice& d) { d.SetIdentifyNeeded(false); });
        // As the main window: a newly found controller gets a discovery.
        session.Worker().SetOnDeviceFound([&](TSbcThread& worker) {
            found = true;
            worker.RequestDiscovery(true);
        });
        session.Worker().SetOnAfterDeviceScan([&](TSbcThread&, const TModuleAvailability& t) {
            table = t;
            scanned = true;
        });
        session.Start();
        if (!session.WaitFor([&] { return found.load(); }, IdentifyTimeout)) {
            return ctx.Fail("discover: the controller did not identify itself");
        }
        if (!session.WaitFor([&] { return scanned.load(); }, DiscoveryTimeout)) {
            return ctx.Fail("discover: the discovery did not end");
        }
        session.Stop();
        std::vector<OutputField> fields;
        for (size_t i = 0; i < table.size(); ++i) {
            const std::string name = AvailabilityEntryName(i);
            fields.emplace_back(name, name, table[i] ? "yes" : "no", table[i] ? "true" : "false");
        }
        PrintFields(fields, *json);
    });
}

}  // namespace ryvorn::cli
