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
//   system resets N       the reset counter of the System Interface
//   ui value V [DEC [FLAGS]] | ui key      the value the display shows; the last key received
//   io input|output|marker K 0|1 | io get N   switch the K-th I/O of a kind; the state of I/O number N
//   indicator N VALUE [DEC [FLAGS]]        indicator N (from 1)
//   register N VALUE | register get N | register shortinfo 0|1
//   result TAG VALUE [FORMAT [UNIT]] | result pending   store a result; the pending slots
//   clock get | clock set YYYY-MM-DD HH:MM:SS | clock broken 0|1
//   weigher present 0|1 | weigher value BIT VALUE | weigher saves | weigher last
// Returns the line to print in answer ("ok", "stats ...", or "error: ...").
std::string RunSimCommand(const std::string& line, SimController& controller, SimFaults& faults);

}  // namespace ryvorn::sim
