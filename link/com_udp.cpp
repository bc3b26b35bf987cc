// SPDX-License-Identifier: MIT
#include "link/com_udp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>

#include "link/log.h"

namespace ryvorn {

TComUdp::TComUdp() = default;

TComUdp::~TComUdp() { Close(); }

bool TComUdp::Open(uint16_t rxQueueSize, uint16_t txQueueSize) {
    Close();
    // IPv4 only: a dual-stack socket would report senders as ::ffff:a.b.c.d and the
    // sender filter compares dotted IPv4 text.
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd >= 0) {
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(INADDR_ANY);
        local.sin_port = htons(LocalPort_);
        if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
            char text[160];
            std::snprintf(text, sizeof text,
                          "Local Port %d, is used more than once, please change these port settings!! "
                          "[ Miscellaneous->Communication ] ",
                          LocalPort_);
            LogDebug(text);
            if (PortInUse_) PortInUse_(text);
            // The socket still works: the system binds it to a free port on the first send.
        }
        sockaddr_in bound{};
        socklen_t len = sizeof bound;
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &len) == 0) BoundPort_ = ntohs(bound.sin_port);
        StopFd_ = ::eventfd(0, EFD_CLOEXEC);
        Fd_ = fd;
        Receiver_ = std::thread([this, fd, stop = StopFd_] { ReceiveLoop(fd, stop); });
    }
    TComMedium::Open(rxQueueSize, txQueueSize);
    return IsOpen();
}

void TComUdp::Close() {
    const int fd = Fd_.exchange(-1);
    if (fd < 0) return;
    const uint64_t one = 1;
    if (::write(StopFd_, &one, sizeof one) < 0) LogDebug("udp: cannot wake the receive thread");
    if (Receiver_.joinable()) Receiver_.join();
    ::close(StopFd_);
    StopFd_ = -1;
    ::close(fd);
    BoundPort_ = 0;
}

void TComUdp::ReceiveLoop(int fd, int stopFd) {
    // One byte more than a datagram may hold, so that an oversize one is recognised.
    std::array<uint8_t, MaxDatagram + 1> buffer{};
    for (;;) {
        pollfd p[2] = {{fd, POLLIN, 0}, {stopFd, POLLIN, 0}};
        const int r = ::poll(p, 2, -1);
        if (r < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (p[1].revents) return;
        if (!(p[0].revents & POLLIN)) continue;
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n = ::recvfrom(fd, buffer.data(), buffer.size(), MSG_TRUNC | MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            // ICMP port unreachable and the like: an empty datagram, as a read error counts.
            ReceiveDatagram(nullptr, 0, {});
            continue;
        }
        char sender[INET_ADDRSTRLEN] = "";
        ::inet_ntop(AF_INET, &from.sin_addr, sender, sizeof sender);
        if (static_cast<size_t>(n) > MaxDatagram) {
            ++OversizeDropped_;
            ReceiveDatagram(nullptr, 0, sender);
        } else {
            ReceiveDatagram(buffer.data(), static_cast<size_t>(n), sender);
        }
    }
}

void TComUdp::ReceiveDatagram(const uint8_t* data, size_t length, const std::string& sender) {
    // The hook mutex is held during the call, so that removing the hook waits for a
    // call in progress and no datagram reaches a search that has ended.
    std::unique_lock hookLock(HookMutex_);
    if (Broadcast_ && Hook_) {
        Hook_(*this, std::span<const uint8_t>(data, length), sender);
    } else {
        hookLock.unlock();
        std::lock_guard lock(Lock_);
        if ((Broadcast_ || sender == RemoteHost_) && length > 0) Queue_.Append(data, length);
    }
    DataEvent.Signal();
}

uint32_t TComUdp::Read(uint8_t* buffer, uint32_t count) {
    std::lock_guard lock(Lock_);
    return static_cast<uint32_t>(Queue_.Take(buffer, count));
}

uint32_t TComUdp::GetRxdQue() {
    std::lock_guard lock(Lock_);
    RxdQue_ = static_cast<uint32_t>(Queue_.Size());
    return RxdQue_;
}

void TComUdp::Purge() {
    std::lock_guard lock(Lock_);
    Queue_.Clear();
}

uint32_t TComUdp::Write(const uint8_t* buffer, uint32_t count) {
    const int fd = Fd_;
    const uint32_t n = std::min<uint32_t>(count, MaxDatagram);
    std::copy_n(buffer, n, TransmitBuffer_.begin());
    DataEvent.Reset();
    sockaddr_in to{};
    to.sin_family = AF_INET;
    {
        std::lock_guard lock(Lock_);
        to.sin_port = htons(RemotePort_);
        if (::inet_pton(AF_INET, RemoteHost_.c_str(), &to.sin_addr) != 1) return count;
    }
    // A failed send is not reported: the missing reply shows as a time-out.
    if (fd >= 0) ::sendto(fd, TransmitBuffer_.data(), n, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    return count;
}

void TComUdp::SetLocalPort(uint16_t port) {
    if (IsOpen()) throw std::runtime_error("Can not set localport while UDP is open");
    LocalPort_ = port;
}

void TComUdp::SetRemotePort(uint16_t port) {
    std::lock_guard lock(Lock_);
    RemotePort_ = port;
}

uint16_t TComUdp::RemotePort() const {
    std::lock_guard lock(Lock_);
    return RemotePort_;
}

void TComUdp::SetRemoteHost(const std::string& host) {
    std::lock_guard lock(Lock_);
    RemoteHost_ = host;
}

std::string TComUdp::RemoteHost() const {
    std::lock_guard lock(Lock_);
    return RemoteHost_;
}

void TComUdp::SetDatagramHook(DatagramHook hook) {
    std::lock_guard lock(HookMutex_);
    Hook_ = std::move(hook);
}

}  // namespace ryvorn
