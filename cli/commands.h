// SPDX-License-Identifier: MIT
#pragma once

namespace CLI {
class App;
}

namespace ryvorn::cli {

struct CliContext;

void AddRawCommand(CLI::App& app, CliContext& ctx);
void AddIdentifyCommand(CLI::App& app, CliContext& ctx);
void AddEthernetCommand(CLI::App& app, CliContext& ctx);
void AddPassphraseCommand(CLI::App& app, CliContext& ctx);
void AddModulesCommands(CLI::App& app);
void AddIoCommand(CLI::App& app, CliContext& ctx);
void AddIndicatorsCommand(CLI::App& app, CliContext& ctx);
void AddRegistersCommand(CLI::App& app, CliContext& ctx);
void AddResultsCommand(CLI::App& app, CliContext& ctx);
void AddClockCommand(CLI::App& app, CliContext& ctx);
void AddDiscoverCommand(CLI::App& app, CliContext& ctx);
void AddMonitorCommand(CLI::App& app, CliContext& ctx);

}  // namespace ryvorn::cli
