// SPDX-License-Identifier: MIT
#include "device/installed_name_lists.h"

#include <mutex>
#include <utility>

namespace ryvorn {

namespace {

// Readers copy the pointer under the lock and format from their own snapshot, so an install
// on the main thread never changes a list under a formatter running on the worker thread.
struct TInstalledState {
    std::mutex Lock;
    std::shared_ptr<const TSbcNameLists> Lists = std::make_shared<const TSbcNameLists>();
};

TInstalledState& State() {
    static TInstalledState state;
    return state;
}

void Publish(std::shared_ptr<const TSbcNameLists> lists) {
    auto& state = State();
    std::shared_ptr<const TSbcNameLists> previous;
    {
        std::lock_guard guard(state.Lock);
        previous = std::exchange(state.Lists, std::move(lists));
    }
    // `previous` is released here, outside the lock.
}

}  // namespace

void SbcModule_Install(std::optional<std::vector<std::string>> labels,
                       std::optional<std::vector<TIoName>> ioNames,
                       std::optional<std::vector<TExtRegName>> extRegNames) {
    auto lists = std::make_shared<TSbcNameLists>();
    lists->Labels = std::move(labels);
    lists->IoNames = std::move(ioNames);
    lists->ExtRegNames = std::move(extRegNames);
    Publish(std::move(lists));
}

void SbcModule_UnInstall() {
    Publish(std::make_shared<const TSbcNameLists>());
}

std::shared_ptr<const TSbcNameLists> SbcModule_InstalledLists() {
    auto& state = State();
    std::lock_guard guard(state.Lock);
    return state.Lists;
}

}  // namespace ryvorn
