// SPDX-License-Identifier: MIT
#pragma once

namespace CLI {
class App;
}

namespace ryvorn::cli {

struct CliContext;

void AddRawCommand(CLI::App& app, CliContext& ctx);
void AddModulesCommands(CLI::App& app);

}  // namespace ryvorn::cli
