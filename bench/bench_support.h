// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/link_factory.h"
#include "tests/support/sim_process.h"

namespace ryvorn::bench {

// Opens a link as the application does; nullptr (with the reason on stderr) when it
// cannot be opened.
std::unique_ptr<TLink> OpenBenchLink(const LinkSettings& settings);
// The UDP link to a simulator, set up as the application does; nullptr (with the
// reason on stderr) when it cannot be opened.
std::unique_ptr<TLink> OpenUdpLink(const testing::SimProcess& sim);

// CPU seconds this process has used (all threads, user and system).
double CpuSeconds();
double Median(std::vector<double> values);
// Round trips in microseconds of a plain identity request and reply on a socket of its
// own: the floor any protocol stack stands on.
std::vector<double> BareUdpRoundTrips(const std::string& host, uint16_t port, int count);

}  // namespace ryvorn::bench
