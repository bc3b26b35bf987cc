// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <thread>

#include "link/byte_queue.h"
#include "link/com_medium.h"

namespace ryvorn {

// The UDP transport: datagrams become a byte queue that the datagram protocol reads
// like a serial port, and DataEvent is signalled for each one.
//
// Datagrams are taken from the socket by whoever looks at the queue (Read, GetRxdQue,
// Purge, WaitForData), so a waiting protocol is woken by the socket itself, with no
// thread in between. Only while a datagram hook is installed (the network search) does
// a receive thread of its own deliver datagrams as they arrive.
class TComUdp : public TComMedium {
public:
    static constexpr uint16_t DefaultPort = 6768;
    // A datagram is at most the 4-byte header and a 512-byte payload.
    static constexpr size_t MaxDatagram = 4 + 512;

    using DatagramHook = std::function<void(TComUdp&, std::span<const uint8_t>, const std::string& sender)>;
    using PortInUseHandler = std::function<void(const std::string& message)>;

    TComUdp();
    ~TComUdp() override;

    bool Open(uint16_t rxQueueSize, uint16_t txQueueSize) override;
    bool IsOpen() const override { return Fd_.load() >= 0; }
    void Close() override;
    uint32_t Read(uint8_t* buffer, uint32_t count) override;
    uint32_t Write(const uint8_t* buffer, uint32_t count) override;
    void Purge() override;
    uint32_t ClearErrors() override { return 0; }
    uint32_t GetRxdQue() override;
    uint32_t GetTxdQue() override { return 10; }
    // Blocks on the socket until a datagram from the remote host (or any while Broadcast
    // is set) is queued, or the time-out passes.
    bool WaitForData(std::chrono::milliseconds timeout) override;
    // The queue as it stands, without looking at the socket: what WaitForData found.
    uint32_t QueuedBytes() const;
    uint32_t TakeQueued(uint8_t* buffer, uint32_t count);

    // Throws std::runtime_error("Can not set localport while UDP is open") when open.
    void SetLocalPort(uint16_t port);
    uint16_t LocalPort() const { return LocalPort_; }
    // The port the socket is bound to (the system's choice for local port 0).
    uint16_t BoundPort() const { return BoundPort_; }
    void SetRemotePort(uint16_t port);
    uint16_t RemotePort() const;
    void SetRemoteHost(const std::string& host);
    std::string RemoteHost() const;
    void SetBroadcast(bool on) { Broadcast_ = on; }
    bool Broadcast() const { return Broadcast_; }

    // Whole datagrams go to the hook instead of the queue while Broadcast is set
    // (search). The hook runs on the receive thread (or on a thread reading the queue)
    // and must not set the hook itself. Removing it waits for a call in progress.
    void SetDatagramHook(DatagramHook hook);
    // Called when the local port is taken; the application shows the message on its
    // main thread.
    void SetPortInUseHandler(PortInUseHandler handler) { PortInUse_ = std::move(handler); }

    // One datagram as it arrived from sender: to the hook, the queue or nowhere, and
    // DataEvent is signalled. The readers of the socket call it; tests and fuzzers call
    // it directly.
    void ReceiveDatagram(const uint8_t* data, size_t length, const std::string& sender);

    // Datagrams dropped because they were longer than a reply can be.
    uint64_t OversizeDropped() const { return OversizeDropped_; }

private:
    enum class TTake { Datagram, None, Error };
    // Reads one datagram from the socket (recvfrom flags: MSG_DONTWAIT or 0 to block
    // within the socket's receive time-out) and delivers it.
    TTake TakeOne(int fd, int flags);
    // Takes the datagrams waiting in the socket (at most max); true when there was one.
    bool Drain(size_t max = SIZE_MAX);
    // Blocks for one datagram at most `left`.
    TTake ReceiveWithin(int fd, std::chrono::milliseconds left);
    // A datagram from the socket; sender is the IPv4 address in network order.
    void ReceiveFrom(const uint8_t* data, size_t length, uint32_t sender);
    void StartHookThread();
    void StopHookThread();
    void HookLoop(int fd, int stopFd);

    std::atomic<int> Fd_{-1};
    int StopFd_ = -1;
    std::thread HookThread_;
    std::mutex DrainMutex_;  // one reader of the socket at a time keeps datagrams in order
    int64_t ReceiveTimeoutMs_ = 0;  // SO_RCVTIMEO as set on the socket (0: never set); under DrainMutex_
    std::atomic<bool> HookRunning_{false};  // the receive thread reads the socket

    mutable std::mutex Lock_;  // guards the queue and the remote endpoint
    TByteQueue Queue_;
    std::string RemoteHost_;
    uint32_t RemoteAddress_ = 0;  // RemoteHost_ parsed, network order
    bool RemoteValid_ = false;
    uint16_t RemotePort_ = DefaultPort;
    std::mutex HookMutex_;  // guards the hook and is held while it runs
    DatagramHook Hook_;

    std::array<uint8_t, MaxDatagram> TransmitBuffer_{};
    std::atomic<bool> Broadcast_{false};
    uint16_t LocalPort_ = DefaultPort;
    uint16_t BoundPort_ = 0;
    PortInUseHandler PortInUse_;
    std::atomic<uint64_t> OversizeDropped_{0};
};

}  // namespace ryvorn
