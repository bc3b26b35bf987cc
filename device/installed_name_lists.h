// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ryvorn {

struct TIoName {
    std::string Name;
    int32_t Number = 0;  // the I/O number
};

struct TExtRegName {
    std::string Name;
    int32_t Item = 0;  // extended register n has item number n + 100
};

// The controller's names as the formatters see them. A list that is not there differs from
// an empty list: without a label list, label parameters show no text at all.
struct TSbcNameLists {
    std::optional<std::vector<std::string>> Labels;  // label number n is entry n - 1
    std::optional<std::vector<TIoName>> IoNames;
    std::optional<std::vector<TExtRegName>> ExtRegNames;
};

// Makes the lists the formatters' names. The lists are copied: the views that own them call
// this again whenever they change a list. Formatters may run on any thread meanwhile; each
// formatter call sees either the old or the new lists, never a mixture.
void SbcModule_Install(std::optional<std::vector<std::string>> labels,
                       std::optional<std::vector<TIoName>> ioNames,
                       std::optional<std::vector<TExtRegName>> extRegNames);

// Forgets the installed lists; the formatters fall back to numbers and empty label texts.
void SbcModule_UnInstall();

// The lists installed now (all absent before the first install and after an uninstall);
// never null, and unchanged for as long as the caller holds it.
std::shared_ptr<const TSbcNameLists> SbcModule_InstalledLists();

}  // namespace ryvorn
