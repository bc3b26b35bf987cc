// SPDX-License-Identifier: MIT
#include "link/base_protocol.h"

namespace ryvorn {

bool TBaseProtocol::Close() {
    if (Medium_ && Medium_->IsOpen()) Medium_->Close();
    return !Medium_ || !Medium_->IsOpen();
}

}  // namespace ryvorn
