// SPDX-License-Identifier: MIT
#include "device/sbc_data_view.h"

#include <filesystem>

namespace ryvorn {

std::string TSbcDataView::ProjectFileName(const std::string& name) const {
    return (std::filesystem::path(DataDirectory_) / std::filesystem::path(name).filename()).string();
}

}  // namespace ryvorn
