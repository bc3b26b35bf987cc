// SPDX-License-Identifier: MIT
#include "link/com_udp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
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
        {
            std::lock_guard drain(DrainMutex_);
            ReceiveTimeoutMs_ = 0;  // a new socket has no receive time-out yet
        }
        Fd_ = fd;
        bool hooked;
        {
            std::lock_guard lock(HookMutex_);
            hooked = static_cast<bool>(Hook_);
        }
        if (hooked) StartHookThread();
    }
    TComMedium::Open(rxQueueSize, txQueueSize);
    return IsOpen();
}

void TComUdp::Close() {
    StopHookThread();
    const int fd = Fd_.exchange(-1);
    if (fd < 0) return;
    ::close(fd);
    BoundPort_ = 0;
}

void TComUdp::StartHookThread() {
    const int fd = Fd_;
    if (fd < 0 || HookThread_.joinable()) return;
    StopFd_ = ::eventfd(0, EFD_CLOEXEC);
    HookRunning_ = true;
    HookThread_ = std::thread([this, fd, stop = StopFd_] { HookLoop(fd, stop); });
}

void TComUdp::StopHookThread() {
    if (!HookThread_.joinable()) return;
    const uint64_t one = 1;
    if (::write(StopFd_, &one, sizeof one) < 0) LogDebug("udp: cannot wake the receive thread");
    HookThread_.join();
    HookRunning_ = false;
    ::close(StopFd_);
    StopFd_ = -1;
}

void TComUdp::HookLoop(int fd, int stopFd) {
    for (;;) {
        pollfd p[2] = {{fd, POLLIN, 0}, {stopFd, POLLIN, 0}};
        const int r = ::poll(p, 2, -1);
        if (r < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (p[1].revents) return;
        if (p[0].revents & POLLIN) Drain();
    }
}

TComUdp::TTake TComUdp::TakeOne(int fd, int flags) {
    // One byte more than a datagram may hold, so that an oversize one is recognised.
    std::array<uint8_t, MaxDatagram + 1> buffer{};
    for (;;) {
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n = ::recvfrom(fd, buffer.data(), buffer.size(), MSG_TRUNC | flags,
                                     reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) return TTake::None;
            // ICMP port unreachable and the like: an empty datagram, as a read error counts.
            ReceiveDatagram(nullptr, 0, {});
            return TTake::Error;
        }
        if (static_cast<size_t>(n) > MaxDatagram) {
            ++OversizeDropped_;
            ReceiveFrom(nullptr, 0, from.sin_addr.s_addr);
        } else {
            ReceiveFrom(buffer.data(), static_cast<size_t>(n), from.sin_addr.s_addr);
        }
        return TTake::Datagram;
    }
}

bool TComUdp::Drain(size_t max) {
    const int fd = Fd_;
    if (fd < 0) return false;
    std::lock_guard drain(DrainMutex_);
    bool any = false;
    for (size_t taken = 0; taken < max; ++taken) {
        const TTake took = TakeOne(fd, MSG_DONTWAIT);
        if (took == TTake::None) return any;
        any = true;
        if (took == TTake::Error) return true;
    }
    return any;
}

TComUdp::TTake TComUdp::ReceiveWithin(int fd, std::chrono::milliseconds left) {
    std::lock_guard drain(DrainMutex_);
    // The socket's receive time-out bounds the blocking read. It is set only when the
    // wait asked for is shorter than the one set, or much longer: the same request
    // time-out again and again costs no system call. A shorter time-out set than asked
    // for only ends this read early, and the caller waits on for the rest.
    const int64_t ms = left.count();
    if (ReceiveTimeoutMs_ == 0 || ReceiveTimeoutMs_ > ms || ReceiveTimeoutMs_ + 2 < ms) {
        timeval tv{};
        tv.tv_sec = static_cast<time_t>(ms / 1000);
        tv.tv_usec = static_cast<suseconds_t>((ms % 1000) * 1000);
        if (::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv) != 0) return TTake::Error;
        ReceiveTimeoutMs_ = ms;
    }
    return TakeOne(fd, 0);
}

bool TComUdp::WaitForData(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (QueuedBytes() > 0) return true;
        const int fd = Fd_;
        if (fd < 0) return false;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            Drain(1);  // a last look at the socket, without waiting
            return QueuedBytes() > 0;
        }
        if (!HookRunning_) {
            // Nobody else reads the socket: wait in the read itself, one system call
            // for the wait and the datagram. A datagram from another host leaves the
            // queue empty, and the wait goes on for the rest of the time; a read error
            // ends it.
            if (ReceiveWithin(fd, left) == TTake::Error) return QueuedBytes() > 0;
            continue;
        }
        // The receive thread may take the datagram first: wait for the socket or the
        // queue, whichever fills.
        pollfd p{fd, POLLIN, 0};
        const int r = ::poll(&p, 1, static_cast<int>(std::min<int64_t>(left.count(), 1 << 30)));
        if (r < 0 && errno != EINTR) return false;
        if (r > 0) Drain(1);
        if (r == 0) return QueuedBytes() > 0;
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

void TComUdp::ReceiveFrom(const uint8_t* data, size_t length, uint32_t sender) {
    bool hooked;
    {
        std::lock_guard lock(HookMutex_);
        hooked = Broadcast_ && Hook_;
    }
    if (hooked) {
        // The search wants the sender as text; nobody else does, so only it pays for it.
        char text[INET_ADDRSTRLEN] = "";
        in_addr a{};
        a.s_addr = sender;
        ::inet_ntop(AF_INET, &a, text, sizeof text);
        ReceiveDatagram(data, length, text);
        return;
    }
    {
        std::lock_guard lock(Lock_);
        const bool fromRemote = RemoteValid_ && sender == RemoteAddress_;
        if ((Broadcast_ || fromRemote) && length > 0) Queue_.Append(data, length);
    }
    DataEvent.Signal();
}

uint32_t TComUdp::QueuedBytes() const {
    std::lock_guard lock(Lock_);
    return static_cast<uint32_t>(Queue_.Size());
}

uint32_t TComUdp::TakeQueued(uint8_t* buffer, uint32_t count) {
    std::lock_guard lock(Lock_);
    return static_cast<uint32_t>(Queue_.Take(buffer, count));
}

uint32_t TComUdp::Read(uint8_t* buffer, uint32_t count) {
    Drain();
    std::lock_guard lock(Lock_);
    return static_cast<uint32_t>(Queue_.Take(buffer, count));
}

uint32_t TComUdp::GetRxdQue() {
    Drain();
    std::lock_guard lock(Lock_);
    RxdQue_ = static_cast<uint32_t>(Queue_.Size());
    return RxdQue_;
}

void TComUdp::Purge() {
    Drain();  // what waits in the socket is as stale as what is queued
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
        if (!RemoteValid_) return count;
        to.sin_port = htons(RemotePort_);
        to.sin_addr.s_addr = RemoteAddress_;
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
    if (host == RemoteHost_ && !host.empty()) return;  // set before every request: parse once
    RemoteHost_ = host;
    in_addr a{};
    RemoteValid_ = ::inet_pton(AF_INET, host.c_str(), &a) == 1;
    RemoteAddress_ = a.s_addr;
}

std::string TComUdp::RemoteHost() const {
    std::lock_guard lock(Lock_);
    return RemoteHost_;
}

void TComUdp::SetDatagramHook(DatagramHook hook) {
    const bool installing = static_cast<bool>(hook);
    if (!installing) StopHookThread();
    {
        std::lock_guard lock(HookMutex_);
        Hook_ = std::move(hook);
    }
    if (installing) StartHookThread();
}

}  // namespace ryvorn
