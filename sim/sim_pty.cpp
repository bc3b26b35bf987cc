// SPDX-License-Identifier: MIT
#include "sim/sim_pty.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ryvorn::sim {

namespace {

std::string Hex(std::span<const uint8_t> bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    for (uint8_t b : bytes) {
        if (!s.empty()) s.push_back(' ');
        s.push_back(digits[b >> 4]);
        s.push_back(digits[b & 15]);
    }
    return s;
}

void WriteAll(int fd, const uint8_t* data, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, data, n);
        if (w > 0) {
            data += w;
            n -= static_cast<size_t>(w);
        } else if (w < 0 && (errno == EINTR || errno == EAGAIN)) {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
        } else {
            return;
        }
    }
}

}  // namespace

SimPty::SimPty(SimController& controller, SimFaults& faults, std::vector<uint8_t> addresses)
    : Line_(controller, faults, std::move(addresses)) {
    Line_.OnFrame = [this](uint8_t address, std::span<const uint8_t> payload) {
        if (Log) Log("rx serial " + std::to_string(address) + ": " + Hex(payload));
    };
}

SimPty::~SimPty() {
    Stop();
    if (Slave_ >= 0) ::close(Slave_);
    if (Master_ >= 0) ::close(Master_);
}

bool SimPty::Open(std::string& error) {
    Master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (Master_ < 0 || ::grantpt(Master_) != 0 || ::unlockpt(Master_) != 0) {
        error = std::string("cannot create a pty: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(Master_);
    if (!name) {
        error = "cannot name the pty";
        return false;
    }
    SlavePath_ = name;
    Slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (Slave_ < 0) {
        error = "cannot open " + SlavePath_;
        return false;
    }
    // Raw from the start: an echoing line discipline would send our replies back to us.
    termios t{};
    ::tcgetattr(Slave_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(Slave_, TCSANOW, &t);
    ::fcntl(Master_, F_SETFL, ::fcntl(Master_, F_GETFL) | O_NONBLOCK);
    StopFd_ = ::eventfd(0, EFD_CLOEXEC);
    return true;
}

void SimPty::Start() {
    Thread_ = std::thread([this] { Run(); });
}

void SimPty::Stop() {
    if (!Thread_.joinable()) return;
    const uint64_t one = 1;
    if (::write(StopFd_, &one, sizeof one) < 0) return;
    Thread_.join();
    ::close(StopFd_);
    StopFd_ = -1;
}

void SimPty::Run() {
    using Clock = std::chrono::steady_clock;
    const auto byteTime = [this] { return std::chrono::microseconds(Baud_ ? 10'000'000 / Baud_ : 0); };
    uint8_t buffer[1024];
    // When the bytes of the request being received began to arrive.
    Clock::time_point frameStart = Clock::now();
    size_t frameBytes = 0;
    for (;;) {
        pollfd p[2] = {{Master_, POLLIN, 0}, {StopFd_, POLLIN, 0}};
        if (::poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (p[1].revents) return;
        if (!(p[0].revents & POLLIN)) {
            // No slave open besides ours is normal; anything else, wait a little.
            ::poll(nullptr, 0, 10);
            continue;
        }
        const ssize_t n = ::read(Master_, buffer, sizeof buffer);
        if (n <= 0) continue;
        if (frameBytes == 0) frameStart = Clock::now();
        frameBytes += static_cast<size_t>(n);
        const auto replies = Line_.Feed(std::span<const uint8_t>(buffer, static_cast<size_t>(n)));
        for (const auto& r : replies) {
            // At a paced baud rate the request itself takes its wire time first.
            Send(r, frameStart + byteTime() * static_cast<int64_t>(frameBytes));
            frameBytes = 0;
        }
    }
}

void SimPty::Send(const WireReply& reply, std::chrono::steady_clock::time_point earliest) {
    using Clock = std::chrono::steady_clock;
    const auto byteTime = std::chrono::microseconds(Baud_ ? 10'000'000 / Baud_ : 0);
    auto at = std::max(Clock::now(), earliest) + reply.Delay;
    if (Baud_ == 0 && !reply.GapBefore) {
        std::this_thread::sleep_until(at);
        WriteAll(Master_, reply.Data.data(), reply.Data.size());
        return;
    }
    // Byte by byte, each at its own time; bytes already due go out together.
    size_t i = 0;
    while (i < reply.Data.size()) {
        if (reply.GapBefore && *reply.GapBefore == i) at += reply.Gap;
        std::this_thread::sleep_until(at);
        size_t j = i + 1;
        auto next = at + byteTime;
        while (j < reply.Data.size() && next <= Clock::now() && !(reply.GapBefore && *reply.GapBefore == j)) {
            ++j;
            next += byteTime;
        }
        WriteAll(Master_, reply.Data.data() + i, j - i);
        at = next;
        i = j;
    }
}

}  // namespace ryvorn::sim
