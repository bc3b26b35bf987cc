// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>

namespace ryvorn {

// First-in first-out bytes; the owner guards it.
class TByteQueue {
public:
    void Append(const uint8_t* data, size_t count) { Bytes_.insert(Bytes_.end(), data, data + count); }
    size_t Take(uint8_t* out, size_t count) {
        const size_t n = std::min(count, Bytes_.size());
        std::copy_n(Bytes_.begin(), n, out);
        Bytes_.erase(Bytes_.begin(), Bytes_.begin() + static_cast<std::ptrdiff_t>(n));
        return n;
    }
    size_t Size() const { return Bytes_.size(); }
    void Clear() { Bytes_.clear(); }

private:
    std::deque<uint8_t> Bytes_;
};

}  // namespace ryvorn
