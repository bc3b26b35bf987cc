// SPDX-License-Identifier: MIT
#include "sim/sim_udp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "sim/sim_serial_line.h"

namespace ryvorn::sim {

namespace {
// The other host of the "foreign" fault: a datagram from it must be ignored.
constexpr const char* ForeignHost = "127.0.0.9";
}  // namespace

SimUdp::SimUdp(SimController& controller, SimFaults& faults) : Controller_(controller), Faults_(faults) {}

SimUdp::~SimUdp() {
    Stop();
    if (Fd_ >= 0) ::close(Fd_);
    if (ForeignFd_ >= 0) ::close(ForeignFd_);
}

bool SimUdp::Open(const std::string& host, uint16_t port, std::string& error) {
    Fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    if (Fd_ < 0 || ::inet_pton(AF_INET, host.c_str(), &a.sin_addr) != 1 ||
        ::bind(Fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        error = "cannot bind UDP " + host + ":" + std::to_string(port) + ": " + std::strerror(errno);
        return false;
    }
    socklen_t len = sizeof a;
    ::getsockname(Fd_, reinterpret_cast<sockaddr*>(&a), &len);
    Host_ = host;
    Port_ = ntohs(a.sin_port);

    ForeignFd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in f{};
    f.sin_family = AF_INET;
    ::inet_pton(AF_INET, ForeignHost, &f.sin_addr);
    if (ForeignFd_ >= 0 && ::bind(ForeignFd_, reinterpret_cast<sockaddr*>(&f), sizeof f) != 0) {
        ::close(ForeignFd_);
        ForeignFd_ = -1;
    }
    StopFd_ = ::eventfd(0, EFD_CLOEXEC);
    return true;
}

void SimUdp::Start() {
    Thread_ = std::thread([this] { Run(); });
}

void SimUdp::Stop() {
    if (!Thread_.joinable()) return;
    const uint64_t one = 1;
    if (::write(StopFd_, &one, sizeof one) < 0) return;
    Thread_.join();
    ::close(StopFd_);
    StopFd_ = -1;
}

void SimUdp::Run() {
    uint8_t buffer[2048];
    for (;;) {
        pollfd p[2] = {{Fd_, POLLIN, 0}, {StopFd_, POLLIN, 0}};
        if (::poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (p[1].revents) return;
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n = ::recvfrom(Fd_, buffer, sizeof buffer, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from),
                                     &fromLen);
        if (n < 0) continue;
        Answer(buffer, static_cast<size_t>(n), &from, fromLen);
    }
}

void SimUdp::Answer(const uint8_t* datagram, size_t length, const void* senderPtr, unsigned senderLength) {
    if (length < 4) return;
    ++Requests_;
    const auto* sender = static_cast<const sockaddr*>(senderPtr);
    const std::span<const uint8_t> request(datagram + 4, length - 4);
    if (Log) {
        std::string hex;
        for (uint8_t b : request) {
            char t[4];
            std::snprintf(t, sizeof t, hex.empty() ? "%02X" : " %02X", b);
            hex += t;
        }
        Log("rx udp: " + hex);
    }
    const ReplyFaults f = Faults_.TakeForReply();
    const auto payload = Controller_.Reply(request, f);
    if (!payload) return;
    Bytes out{datagram[0], 0, 0, 0};
    out.insert(out.end(), payload->begin(), payload->end());
    if (f.ShortDatagram) out.resize(static_cast<size_t>(std::clamp(*f.ShortDatagram, 0, 3)));
    if (f.Delay.count() > 0) std::this_thread::sleep_for(f.Delay);
    if (f.Foreign && ForeignFd_ >= 0) {
        ::sendto(ForeignFd_, out.data(), out.size(), 0, sender, senderLength);
        // Let it arrive first.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::sendto(Fd_, out.data(), out.size(), 0, sender, senderLength);
    if (f.Double) ::sendto(Fd_, out.data(), out.size(), 0, sender, senderLength);
}

}  // namespace ryvorn::sim
