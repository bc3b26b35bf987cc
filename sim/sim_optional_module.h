// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "sim/sim_module_base.h"

namespace ryvorn::sim {

// An interface a controller may lack. "<word> off" makes it silent to every request, as
// on a controller without it; "<word> on" brings it back.
class SimOptionalModule : public SimModule {
  public:
    bool Present = true;

  protected:
    // "ok" for "<word> on|off"; nullopt for any other command.
    std::optional<std::string> SwitchCommand(const Words& w, const std::string& word) {
        if (w.size() != 2 || w[0] != word || (w[1] != "on" && w[1] != "off")) return std::nullopt;
        Present = w[1] == "on";
        return "ok";
    }
};

}  // namespace ryvorn::sim
