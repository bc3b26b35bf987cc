// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "link/link_factory.h"

namespace ryvorn::cli {

// What the subcommands share: the link options given before the subcommand, the
// link once opened, and the exit status.
struct CliContext {
    LinkSettings Settings;
    bool SerialGiven = false;
    bool UdpGiven = false;
    int ExitCode = 0;

    // Opens the link the options describe; prints the reason and returns nullptr
    // when it cannot.
    TLink* Link();
    // Prints "ryvorn-cli: <text>" on stderr and sets a failing exit status.
    void Fail(const std::string& text, int code = 1);

private:
    std::unique_ptr<TLink> Link_;
};

// Parses hexadecimal bytes from words such as "5D", "FA 10" or "FA1002".
bool ParseHexBytes(const std::vector<std::string>& words, std::vector<uint8_t>& out, std::string& error);
std::string FormatHexBytes(const uint8_t* data, size_t count);

}  // namespace ryvorn::cli
