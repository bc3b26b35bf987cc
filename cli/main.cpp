// SPDX-License-Identifier: MIT
// ryvorn-cli: the tool's capabilities from a shell.
#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "link/error_log.h"
#include "link/program_directory.h"

using namespace ryvorn::cli;

int main(int argc, char** argv) {
    ryvorn::InstallDir(ryvorn::ExecutableDirectory());
    CLI::App app{"Ry Vorn II command line: engineering and service of weighing and batching controllers"};
    app.set_version_flag("--version", std::string("ryvorn-cli ") + RYVORN_VERSION);
    app.require_subcommand(1);
    CliContext ctx;
    auto& s = ctx.Settings;

    auto* link = "Link";
    app.add_option_function<std::string>(
           "--serial", [&](const std::string& p) { s.SerialPath = p, ctx.SerialGiven = true; },
           "Serial device of the controller (a tty or pty)")
        ->group(link);
    app.add_option("--baud", s.Baudrate, "Serial baud rate")->default_val(57600)->group(link);
    app.add_option_function<std::string>(
           "--udp", [&](const std::string& h) { s.UdpHost = h, ctx.UdpGiven = true; },
           "IPv4 address of the controller on Ethernet")
        ->group(link);
    app.add_option("--remote-port", s.RemotePort, "UDP port of the controller")->default_val(6768)->group(link);
    app.add_option("--local-port", s.LocalPort, "Local UDP port (0: any free port)")->default_val(0)->group(link);
    app.add_option("--address", s.BusAddress, "Serial bus address of the controller")
        ->default_val(0)
        ->check(CLI::Range(0, 255))
        ->group(link);
    app.add_option("--timeout", s.Timeout, "Request time-out in ms (default: 200 serial, 1000 UDP)")
        ->check(CLI::Range(1, 65535))
        ->group(link);

    AddRawCommand(app, ctx);
    AddIdentifyCommand(app, ctx);
    AddEthernetCommand(app, ctx);
    AddPassphraseCommand(app, ctx);
    AddModulesCommands(app);
    AddIoCommand(app, ctx);
    AddIndicatorsCommand(app, ctx);
    AddRegistersCommand(app, ctx);
    AddResultsCommand(app, ctx);
    AddClockCommand(app, ctx);
    AddDiscoverCommand(app, ctx);
    AddMonitorCommand(app, ctx);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }
    return ctx.ExitCode;
}
