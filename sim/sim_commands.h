// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "sim/sim_controller.h"
#include "sim/sim_faults.h"

namespace ryvorn::sim {

// The control commands a test gives the simulator on its standard input, one a line:
//   fault TEXT            add a fault (see SimFaults)
//   clear                 remove every fault
//   identity KEY=VALUE... change the identity (hexadecimal values)
//   stats                 print the counters
// and the commands of the interfaces, each starting with its own word:
//   ethernet on|off|get   the Ethernet interface present or not; its record
//   encryption on|off|get the Encryption interface present or not; its passphrase
// Returns the line to print in answer ("ok", "stats ...", or "error: ...").
std::string RunSimCommand(const std::string& line, SimController& controller, SimFaults& faults);

}  // namespace ryvorn::sim
