// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "link/com_medium.h"
#include "link/ox_prot.h"

namespace ryvorn {

// What the application (and the command line) needs to build one link.
struct LinkSettings {
    enum class Layer { Serial, Udp };
    Layer Type = Layer::Serial;
    // Serial: a device path, or else a port number mapped by SerialPortMap.
    std::string SerialPath;
    uint8_t SerialPort = 1;
    uint32_t Baudrate = 57600;
    uint8_t BusAddress = 0;
    // UDP: the controller's IPv4 address and the ports.
    std::string UdpHost;
    uint16_t RemotePort = 6768;
    uint16_t LocalPort = 0;
    // The protocol thread's request time-out; 0 gives the layer's default (200 ms on
    // serial links, 1000 ms on UDP).
    uint16_t Timeout = 0;
    // Shown when the local UDP port is taken.
    std::function<void(const std::string&)> OnPortInUse;
};

// One open link: the transport, the frame protocol on it and its protocol thread,
// set up as the application sets them up (serial: no-handshake mode, one retry).
class TLink {
public:
    static constexpr uint16_t SerialDefaultTimeout = 200;
    static constexpr uint16_t UdpDefaultTimeout = 1000;

    TLink(std::unique_ptr<TComMedium> medium, std::unique_ptr<TOXProt> protocol, int32_t address);
    ~TLink();

    TOXProt* Prot() const { return Prot_.get(); }
    TComMedium* Medium() const { return Medium_.get(); }
    // The destination every request of this link carries: the bus address on serial
    // links, the IPv4 address as a number on UDP.
    int32_t Address() const { return Address_; }

private:
    std::unique_ptr<TComMedium> Medium_;
    std::unique_ptr<TOXProt> Prot_;
    int32_t Address_;
};

// Builds and opens the link; nullptr with a message when it cannot be opened.
std::unique_ptr<TLink> OpenLink(const LinkSettings& settings, std::string& error);

}  // namespace ryvorn
