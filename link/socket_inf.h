// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ryvorn {

// One local IPv4 interface, address and mask in host order.
struct TSocket {
    uint32_t Address = 0;
    uint32_t Mask = 0;
};

// The computer's own IPv4 addresses, read at construction.
class TSocketInf {
public:
    explicit TSocketInf(bool sorted = false);
    // For tests and callers that know their interfaces.
    explicit TSocketInf(std::vector<TSocket> sockets) : Items_(std::move(sockets)) {}

    int Count() const { return static_cast<int>(Items_.size()); }
    const TSocket& Item(int index) const { return Items_.at(static_cast<size_t>(index)); }
    void Clear() { Items_.clear(); }

private:
    std::vector<TSocket> Items_;
};

}  // namespace ryvorn
