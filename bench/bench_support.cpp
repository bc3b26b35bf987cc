// SPDX-License-Identifier: MIT
#include "bench/bench_support.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace ryvorn::bench {

std::unique_ptr<TLink> OpenBenchLink(const LinkSettings& settings) {
    std::string error;
    auto link = OpenLink(settings, error);
    if (!link) std::fprintf(stderr, "link: %s\n", error.c_str());
    return link;
}

std::unique_ptr<TLink> OpenUdpLink(const testing::SimProcess& sim) {
    LinkSettings settings;
    settings.Type = LinkSettings::Layer::Udp;
    settings.UdpHost = sim.UdpHost();
    settings.RemotePort = static_cast<uint16_t>(std::stoi(sim.UdpPort()));
    return OpenBenchLink(settings);
}

double CpuSeconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::vector<double> BareUdpRoundTrips(const std::string& host, uint16_t port, int count) {
    using Clock = std::chrono::steady_clock;
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    ::inet_pton(AF_INET, host.c_str(), &to.sin_addr);
    const uint8_t request[] = {0, 0, 0, 0, 0x5D};
    uint8_t reply[600];
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const auto t0 = Clock::now();
        ::sendto(fd, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
        if (::recv(fd, reply, sizeof reply, 0) < 7) {
            std::fprintf(stderr, "bare UDP: no reply\n");
            break;
        }
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    ::close(fd);
    return times;
}

}  // namespace ryvorn::bench
