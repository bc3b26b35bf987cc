// SPDX-License-Identifier: MIT
// The "ethernet" subcommand: the controller's network settings, read and written through
// its Ethernet interface.

#include <arpa/inet.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <optional>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/field_output.h"
#include "cli/module_report.h"
#include "device/device_family.h"
#include "device/sbc_device.h"
#include "link/ip_address.h"

namespace ryvorn::cli {

namespace {

struct EthernetOptions {
    bool Json = false;
    std::string Ip, Mask, Gateway, Mac, Name;
    std::vector<uint16_t> Ports, Data;
    bool NameGiven = false;

    bool IpSettings() const {
        return !Ip.empty() || !Mask.empty() || !Gateway.empty() || !Ports.empty() || !Data.empty();
    }
};

// Strict dotted IPv4 text: four decimal parts, nothing else.
std::optional<uint32_t> ParseIpv4(const std::string& text) {
    in_addr address{};
    if (::inet_pton(AF_INET, text.c_str(), &address) != 1) return std::nullopt;
    return ntohl(address.s_addr);
}

// Six hexadecimal pairs separated by ':' or '-'.
std::optional<std::array<uint8_t, 6>> ParseMac(const std::string& text) {
    std::array<uint8_t, 6> mac{};
    unsigned v[6];
    char s[5];
    int used = 0;
    if (std::sscanf(text.c_str(), "%2x%c%2x%c%2x%c%2x%c%2x%c%2x%n", &v[0], &s[0], &v[1], &s[1], &v[2], &s[2],
                    &v[3], &s[3], &v[4], &s[4], &v[5], &used) != 11 ||
        static_cast<size_t>(used) != text.size() || text.size() != 17) {
        return std::nullopt;
    }
    for (char c : s) {
        if (c != ':' && c != '-') return std::nullopt;
    }
    for (size_t i = 0; i < 6; ++i) mac[i] = static_cast<uint8_t>(v[i]);
    return mac;
}

std::string MacText(const std::array<uint8_t, 6>& mac) {
    std::string text;
    for (size_t i = 0; i < mac.size(); ++i) text += (i ? ":" : "") + HexDigits(mac[i], 2);
    return text;
}

OutputField NumberList(const char* label, const char* key, const std::array<uint16_t, 4>& values) {
    OutputField f{label, key, "", "["};
    for (size_t i = 0; i < values.size(); ++i) {
        f.Text += (i ? " " : "") + std::to_string(values[i]);
        f.Json += (i ? ", " : "") + std::to_string(values[i]);
    }
    f.Json += "]";
    return f;
}

// Applies the options to the record; false (and the command failed) for a bad value.
bool ApplyOptions(CliContext& ctx, const EthernetOptions& o, TEthernetData& data) {
    const auto address = [&](const std::string& text, uint32_t& field, const char* what) {
        if (text.empty()) return true;
        const auto value = ParseIpv4(text);
        if (!value) {
            ctx.Fail(std::string("ethernet: not an IPv4 address for ") + what + ": " + text, 2);
            return false;
        }
        field = *value;
        return true;
    };
    if (!address(o.Ip, data.IpAddress, "--ip") || !address(o.Mask, data.SubnetMask, "--mask") ||
        !address(o.Gateway, data.Gateway, "--gateway")) {
        return false;
    }
    if (!o.Ports.empty()) std::copy(o.Ports.begin(), o.Ports.end(), data.PortParameters.begin());
    if (!o.Data.empty()) std::copy(o.Data.begin(), o.Data.end(), data.DataParameters.begin());
    if (!o.Mac.empty()) {
        const auto mac = ParseMac(o.Mac);
        if (!mac) {
            ctx.Fail("ethernet: not a MAC address (six hexadecimal pairs, e.g. 00:1A:2B:3C:4D:5E): " + o.Mac,
                     2);
            return false;
        }
        data.MacAddress = *mac;
    }
    if (o.NameGiven) data.Name = o.Name;
    return true;
}

void RunEthernet(CliContext& ctx, const EthernetOptions& o) {
    if (o.Name.size() > TEthernetData::NameLength) {
        return ctx.Fail("ethernet: the name has more than 32 characters", 2);
    }
    TLink* link = ctx.Link();
    if (!link) return;
    TOxSbcDevice device(link->Address(), link->Prot());
    TOxEthernet& ethernet = device.Ethernet();
    const auto run = [&](bool (TOxEthernet::*operation)()) {
        return RunOperation(ctx, "ethernet", ethernet, operation);
    };
    if (!RequirePresent(ctx, "ethernet", ethernet, "Ethernet")) return;

    // Unchanged IP fields are written back as the controller has them.
    if (o.IpSettings() && !run(&TOxEthernet::ReadIpSettings)) return;
    TEthernetData data = ethernet.CopyOut();
    if (!ApplyOptions(ctx, o, data)) return;
    ethernet.CopyIn(data);
    if (o.IpSettings() && !run(&TOxEthernet::WriteIpSettings)) return;
    if (!o.Mac.empty() && !run(&TOxEthernet::WriteMacAddress)) return;
    if (o.NameGiven && !run(&TOxEthernet::WriteName)) return;

    for (auto read : {&TOxEthernet::Information, &TOxEthernet::ReadIpSettings, &TOxEthernet::ReadMacAddress,
                      &TOxEthernet::ReadName}) {
        if (!run(read)) return;
    }
    data = ethernet.CopyOut();
    PrintFields({{"Application id", "application_id", HexDigits(data.ApplicationId, 4)},
                 {"Application version", "application_version", VersionText(data.ApplicationVersion)},
                 {"IP address", "ip_address", AddressToString(data.IpAddress)},
                 {"Subnet mask", "subnet_mask", AddressToString(data.SubnetMask)},
                 {"Gateway", "gateway", AddressToString(data.Gateway)},
                 NumberList("Port parameters", "port_parameters", data.PortParameters),
                 NumberList("Data parameters", "data_parameters", data.DataParameters),
                 {"MAC address", "mac_address", MacText(data.MacAddress)},
                 {"Name", "name", data.Name}},
                o.Json);
}

}  // namespace

void AddEthernetCommand(CLI::App& app, CliContext& ctx) {
    auto o = std::make_shared<EthernetOptions>();
    auto* ethernet = app.add_subcommand("ethernet", "Read or write the controller's Ethernet settings");
    ethernet->footer(
        "Without options, reads the settings and prints one field per line:\n"
        "  Application id, Application version, IP address, Subnet mask, Gateway,\n"
        "  Port parameters, Data parameters (four numbers each), MAC address, Name.\n"
        "With options, writes what they give first (the other IP fields as the controller has\n"
        "them), then reads everything back and prints it.\n"
        "Example: ryvorn-cli --serial /dev/ttyUSB0 ethernet --ip 192.168.1.20 --mask 255.255.255.0");
    ethernet->add_flag("--json", o->Json, "Print the fields as one JSON object");
    ethernet->add_option("--ip", o->Ip, "Write this IPv4 address");
    ethernet->add_option("--mask", o->Mask, "Write this subnet mask");
    ethernet->add_option("--gateway", o->Gateway, "Write this gateway address");
    ethernet->add_option("--ports", o->Ports, "Write the four port parameters, e.g. 6768,0,0,0")
        ->delimiter(',')
        ->expected(4);
    ethernet->add_option("--data", o->Data, "Write the four data parameters, e.g. 0,0,0,0")
        ->delimiter(',')
        ->expected(4);
    ethernet->add_option("--mac", o->Mac, "Write this MAC address, e.g. 00:1A:2B:3C:4D:5E");
    auto* name = ethernet->add_option("--name", o->Name, "Write this name (up to 32 characters)");
    ethernet->callback([&ctx, o, name] {
        o->NameGiven = name->count() > 0;
        RunEthernet(ctx, *o);
    });
}

}  // namespace ryvorn::cli
