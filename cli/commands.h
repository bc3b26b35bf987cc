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

}  // namespace ryvorn::cli
