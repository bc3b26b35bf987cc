// SPDX-License-Identifier: MIT
#include "link/serial_port_map.h"

#include <cstdlib>
#include <sstream>

namespace ryvorn {

namespace {

struct DeviceFamily {
    const char* prefix;
    int first;
    int count;
};

constexpr DeviceFamily Families[] = {
    {"/dev/ttyS", 1, 99},
    {"/dev/ttyUSB", 100, 100},
    {"/dev/ttyACM", 200, 56},
};

std::optional<int> ParseNumber(const std::string& text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string Trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

}  // namespace

SerialPortMap SerialPortMap::FromEnvironment() {
    const char* env = std::getenv("RYVORN_PORTS");
    return FromText(env ? env : "");
}

SerialPortMap SerialPortMap::FromText(const std::string& text) {
    SerialPortMap map;
    std::stringstream in(text);
    std::string entry;
    while (std::getline(in, entry, ',')) {
        const auto eq = entry.find('=');
        if (eq == std::string::npos) continue;
        const auto number = ParseNumber(Trim(entry.substr(0, eq)));
        const auto path = Trim(entry.substr(eq + 1));
        if (!number || *number < 1 || *number > 255 || path.empty()) continue;
        map.Overrides_[*number] = path;
    }
    return map;
}

std::string SerialPortMap::DevicePath(int port) const {
    if (auto it = Overrides_.find(port); it != Overrides_.end()) return it->second;
    for (const auto& f : Families) {
        if (port >= f.first && port < f.first + f.count) return f.prefix + std::to_string(port - f.first);
    }
    return {};
}

int SerialPortMap::PortNumber(const std::string& path) const {
    for (const auto& [number, p] : Overrides_) {
        if (p == path) return number;
    }
    for (const auto& f : Families) {
        const std::string prefix = f.prefix;
        if (path.rfind(prefix, 0) != 0) continue;
        const auto k = ParseNumber(path.substr(prefix.size()));
        if (k && *k < f.count) return f.first + *k;
    }
    return 0;
}

std::string SerialPortMap::PortName(int port) { return "COM" + std::to_string(port); }

}  // namespace ryvorn
