// SPDX-License-Identifier: MIT
#pragma once

namespace CLI {
class App;
}

namespace ryvorn::cli {

struct CliContext;

void AddRawCommand(CLI::App& app, CliContext& ctx);

}  // namespace ryvorn::cli
