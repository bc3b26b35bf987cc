// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace ryvorn {

// The whole module definition table as CSV: a header line, then one line per parameter of
// every module in id order. Texts are quoted with inner quotes doubled, flags are 0/1, the
// colour is "R,G,B" and the formatter its code name (empty when there is none).
std::string ModuleCatalogueCsv();

// The whole table as JSON: an array of modules, each with its parameters in index order.
// Texts are 8-bit Latin-1 and come out as their Unicode code points.
std::string ModuleCatalogueJson();

// One line per module: id, short name, caption and parameter count in aligned columns.
std::string ModuleCatalogueList();

}  // namespace ryvorn
