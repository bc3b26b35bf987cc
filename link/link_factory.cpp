// SPDX-License-Identifier: MIT
#include "link/link_factory.h"

#include <arpa/inet.h>

#include "link/com_udp.h"
#include "link/comport.h"
#include "link/ip_address.h"
#include "link/ox_udp.h"
#include "link/serial_port_map.h"
#include "link/varnel.h"

namespace ryvorn {

TLink::TLink(std::unique_ptr<TComMedium> medium, std::unique_ptr<TOXProt> protocol, int32_t address)
    : Medium_(std::move(medium)), Prot_(std::move(protocol)), Address_(address) {}

TLink::~TLink() {
    // The thread goes first: it is the one using the transport.
    Prot_.reset();
    Medium_.reset();
}

namespace {

std::unique_ptr<TLink> OpenSerial(const LinkSettings& s, std::string& error) {
    auto port = std::make_unique<TComport>();
    if (!s.SerialPath.empty()) port->SetDevicePath(s.SerialPath);
    port->SetPort(s.SerialPort);
    port->SetBaudrate(s.Baudrate);
    auto protocol = std::make_unique<TVArnel>(port.get());
    // The controllers never acknowledge with DLE ACK on these links.
    protocol->SetNoHandshake(true);
    protocol->SetRetries(1);
    protocol->SetTimeout(500);
    auto prot = std::make_unique<TOXProt>(std::move(protocol));
    if (!prot->Running()) {
        const std::string path =
            s.SerialPath.empty() ? SerialPortMap::FromEnvironment().DevicePath(s.SerialPort) : s.SerialPath;
        error = "cannot open serial port " + (path.empty() ? SerialPortMap::PortName(s.SerialPort) : path);
        return nullptr;
    }
    prot->SetDefaultTimeout(s.Timeout ? s.Timeout : TLink::SerialDefaultTimeout);
    return std::make_unique<TLink>(std::move(port), std::move(prot), s.BusAddress);
}

std::unique_ptr<TLink> OpenUdp(const LinkSettings& s, std::string& error) {
    in_addr parsed{};
    if (::inet_pton(AF_INET, s.UdpHost.c_str(), &parsed) != 1) {
        error = "not an IPv4 address: " + s.UdpHost;
        return nullptr;
    }
    auto udp = std::make_unique<TComUdp>();
    udp->SetLocalPort(s.LocalPort);
    udp->SetRemotePort(s.RemotePort);
    udp->SetRemoteHost(s.UdpHost);
    if (s.OnPortInUse) udp->SetPortInUseHandler(s.OnPortInUse);
    auto protocol = std::make_unique<TOxUdp>(udp.get());
    auto prot = std::make_unique<TOXProt>(std::move(protocol));
    if (!prot->Running()) {
        error = "cannot open a UDP socket";
        return nullptr;
    }
    prot->SetDefaultTimeout(s.Timeout ? s.Timeout : TLink::UdpDefaultTimeout);
    return std::make_unique<TLink>(std::move(udp), std::move(prot),
                                   static_cast<int32_t>(StringToAddress(s.UdpHost)));
}

}  // namespace

std::unique_ptr<TLink> OpenLink(const LinkSettings& settings, std::string& error) {
    return settings.Type == LinkSettings::Layer::Udp ? OpenUdp(settings, error) : OpenSerial(settings, error);
}

}  // namespace ryvorn
