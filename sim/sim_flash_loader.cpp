// SPDX-License-Identifier: MIT
#include "sim/sim_flash_loader.h"

namespace ryvorn::sim {

std::optional<Bytes> SimFlashLoader::Handle(std::span<const uint8_t> r) {
    const uint8_t yes = Available ? 'U' : 'X';
    switch (r[1]) {
        case 0:
        case 1:
        case 5: return Bytes{yes};
        case 2:
            if (r.size() != 6) return std::nullopt;
            ++Erases;
            return Bytes{yes};
        case 3:
            if (r.size() < 7 || r.size() != 7u + r[6]) return std::nullopt;
            BytesWritten += r[6];
            return Bytes{yes};
        case 7: {
            if (r.size() != 6) return std::nullopt;
            Bytes out = Echo(r, 2);
            PutBE32(out, Start);
            PutBE16(out, Value1);
            PutBE16(out, Value2);
            PutBE32(out, Size);
            PutBE16(out, static_cast<uint32_t>(Sectors.size()));
            for (uint32_t s : Sectors) PutBE32(out, s);
            return out;
        }
        default: return std::nullopt;
    }
}

}  // namespace ryvorn::sim
