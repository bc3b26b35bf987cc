// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

namespace ryvorn {

// The mirror of the controller's front-panel display: 128 x 64 pixels, each dark or the
// display's green background. The worker draws the bands it reads; the front page copies
// the picture. Both take the lock, so a picture is never half drawn.
class TDisplayBitmap {
  public:
    static constexpr int Width = 128;
    static constexpr int Height = 64;
    static constexpr int BandHeight = 8;
    static constexpr int BandCount = Height / BandHeight;
    // 0xRRGGBB
    static constexpr uint32_t Background = 0x00FF00;  // red 0, green 255, blue 0
    static constexpr uint32_t Dark = 0x000000;

    using Pixels = std::array<uint32_t, static_cast<size_t>(Width) * Height>;

    // Filled with the background.
    TDisplayBitmap();
    TDisplayBitmap(const TDisplayBitmap&) = delete;
    TDisplayBitmap& operator=(const TDisplayBitmap&) = delete;

    // Draws one band from firstColumn on: byte i is column firstColumn + i, its bit j (least
    // significant first) the pixel in row band x 8 + j, set = dark. Columns beyond the width
    // and bands outside 0..7 are not drawn.
    void DrawBand(int band, int firstColumn, std::span<const uint8_t> columns);

    uint32_t Pixel(int x, int y) const;
    // A copy of the whole picture, row by row.
    Pixels Copy() const;

  private:
    mutable std::mutex Mutex_;
    Pixels Pixels_;
};

}  // namespace ryvorn
