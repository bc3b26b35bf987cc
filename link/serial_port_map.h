// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <optional>
#include <string>

namespace ryvorn {

// The settings store a serial port as a number (1 = first port). This is the one
// place where numbers and device paths meet. The default numbering is stable:
//   /dev/ttyS<k>   -> k + 1      (1..99)
//   /dev/ttyUSB<k> -> 100 + k    (100..199)
//   /dev/ttyACM<k> -> 200 + k    (200..255)
// and the environment variable RYVORN_PORTS ("7=/dev/pts/3,8=/dev/ttyUSB0") names
// any device for a number, overriding the default.
class SerialPortMap {
public:
    // Reads RYVORN_PORTS from the environment.
    static SerialPortMap FromEnvironment();
    // Parses "N=PATH,N=PATH"; malformed entries are skipped.
    static SerialPortMap FromText(const std::string& text);

    std::string DevicePath(int port) const;
    // 0 when the path has no number.
    int PortNumber(const std::string& path) const;
    // "COM<n>", the name the port lists compose friendly names with.
    static std::string PortName(int port);

private:
    std::map<int, std::string> Overrides_;
};

}  // namespace ryvorn
