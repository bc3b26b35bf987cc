// SPDX-License-Identifier: MIT
#include "device/display_bitmap.h"

namespace ryvorn {

TDisplayBitmap::TDisplayBitmap() {
    Pixels_.fill(Background);
}

void TDisplayBitmap::DrawBand(int band, int firstColumn, std::span<const uint8_t> columns) {
    if (band < 0 || band >= BandCount || firstColumn < 0) return;
    std::lock_guard lock(Mutex_);
    for (size_t i = 0; i < columns.size(); ++i) {
        const size_t x = static_cast<size_t>(firstColumn) + i;
        if (x >= static_cast<size_t>(Width)) break;
        for (int j = 0; j < BandHeight; ++j) {
            const auto y = static_cast<size_t>(band * BandHeight + j);
            Pixels_[y * Width + x] = (columns[i] >> j) & 1 ? Dark : Background;
        }
    }
}

uint32_t TDisplayBitmap::Pixel(int x, int y) const {
    if (x < 0 || x >= Width || y < 0 || y >= Height) return Background;
    std::lock_guard lock(Mutex_);
    return Pixels_[static_cast<size_t>(y) * Width + static_cast<size_t>(x)];
}

TDisplayBitmap::Pixels TDisplayBitmap::Copy() const {
    std::lock_guard lock(Mutex_);
    return Pixels_;
}

}  // namespace ryvorn
