// SPDX-License-Identifier: MIT
// The "identify" subcommand: the controller's identification, as the device object
// performs it.

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/field_output.h"
#include "device/device_family.h"
#include "device/sbc_device.h"

namespace ryvorn::cli {

namespace {

// A controller that answers at all is identified within two or three cycles; the alive
// counter ends a run of bad replies sooner than this.
constexpr int MaxCycles = 10;

// Runs the device's worker cycles until it is identified; the failure otherwise. The
// first request left without a reply ends it at once, so that a silent controller is
// reported after one cycle.
std::optional<std::string> Identify(TOxSbcDevice& device) {
    bool identified = false;
    device.SetOnIdentified([&identified](TOxSbcDevice& d) {
        identified = true;
        d.SetIdentifyNeeded(false);
    });
    device.SetActive(true);
    const TSystem& system = device.System();
    for (int cycle = 0; cycle < MaxCycles; ++cycle) {
        device.Process();
        if (identified) return std::nullopt;
        if (system.Status() == TOxModuleStatus::CommunicationError || !system.IsAlive()) break;
    }
    const char* request = system.IdCode() == 0         ? "id code"
                          : system.SerialNumber() == 0 ? "serial number"
                                                       : "version";
    const std::string report = FailureReport(system.Name(), ofInfo, system.Status());
    if (system.Status() == TOxModuleStatus::CommunicationError) {
        return std::string("no reply to the ") + request + " request (" + report + ")";
    }
    return std::string("the reply to the ") + request + " request has the wrong length (" + report + ")";
}

}  // namespace

void AddIdentifyCommand(CLI::App& app, CliContext& ctx) {
    auto json = std::make_shared<bool>(false);
    auto* identify = app.add_subcommand("identify", "Identify the controller on the link");
    identify->footer(
        "Asks the controller for its id code, serial number and version, as the application does on\n"
        "connecting, and prints one field per line:\n"
        "  Id code: 0617          four hexadecimal digits\n"
        "  Family: Kest 3600      the family of the id code (\"IdCode: XXXX\" for an unknown one)\n"
        "  Version: 02.05         major.minor, two hexadecimal digits each\n"
        "  Build: 11              two hexadecimal digits\n"
        "  Serial: 00123456       eight hexadecimal digits\n"
        "  Address: 0             the bus address, or the IPv4 address on UDP\n"
        "A controller that does not answer fails with a one-line message on stderr.\n"
        "Example: ryvorn-cli --udp 192.168.0.100 identify --json");
    identify->add_flag("--json", *json, "Print the fields as one JSON object");
    identify->callback([&ctx, json] {
        TLink* link = ctx.Link();
        if (!link) return;
        TOxSbcDevice device(link->Address(), link->Prot());
        if (const auto failure = Identify(device)) return ctx.Fail("identify: " + *failure);
        PrintFields({{"Id code", "id_code", HexDigits(device.IdCode(), 4)},
                     {"Family", "family", DeviceFamilyText(device.IdCode())},
                     {"Version", "version", VersionText(device.Version())},
                     {"Build", "build", HexDigits(device.Build(), 2)},
                     {"Serial", "serial", SerialNumberText(device.SerialNumber())},
                     {"Address", "address", device.AddressText()}},
                    *json);
    });
}

}  // namespace ryvorn::cli
