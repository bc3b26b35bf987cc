// SPDX-License-Identifier: MIT
#include "cli/cli_context.h"

#include <cstdio>
#include <sstream>

namespace ryvorn::cli {

TLink* CliContext::Link() {
    if (Link_) return Link_.get();
    if (!SerialGiven && !UdpGiven) {
        Fail("no link: give --serial PATH or --udp IPV4 before the subcommand", 2);
        return nullptr;
    }
    if (SerialGiven && UdpGiven) {
        Fail("give either --serial or --udp, not both", 2);
        return nullptr;
    }
    Settings.Type = UdpGiven ? LinkSettings::Layer::Udp : LinkSettings::Layer::Serial;
    Settings.OnPortInUse = [](const std::string& message) { std::fprintf(stderr, "ryvorn-cli: %s\n", message.c_str()); };
    std::string error;
    Link_ = OpenLink(Settings, error);
    if (!Link_) Fail(error);
    return Link_.get();
}

void CliContext::Fail(const std::string& text, int code) {
    std::fprintf(stderr, "ryvorn-cli: %s\n", text.c_str());
    ExitCode = code;
}

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

bool ParseHexBytes(const std::vector<std::string>& words, std::vector<uint8_t>& out, std::string& error) {
    out.clear();
    for (const auto& word : words) {
        std::istringstream in(word);
        for (std::string token; in >> token;) {
            if (token.size() >= 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) token = token.substr(2);
            if (token.empty() || token.size() % 2 != 0) {
                error = "not a hexadecimal byte sequence: " + token;
                return false;
            }
            for (size_t i = 0; i < token.size(); i += 2) {
                const int hi = HexDigit(token[i]);
                const int lo = HexDigit(token[i + 1]);
                if (hi < 0 || lo < 0) {
                    error = "not a hexadecimal byte sequence: " + token;
                    return false;
                }
                out.push_back(static_cast<uint8_t>(hi * 16 + lo));
            }
        }
    }
    return true;
}

std::string FormatHexBytes(const uint8_t* data, size_t count) {
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    for (size_t i = 0; i < count; ++i) {
        if (i) s.push_back(' ');
        s.push_back(digits[data[i] >> 4]);
        s.push_back(digits[data[i] & 15]);
    }
    return s;
}

}  // namespace ryvorn::cli
