// SPDX-License-Identifier: MIT
#include "cli/field_output.h"

#include <cstdio>

#include "device/json_text.h"

namespace ryvorn::cli {

void PrintFields(const std::vector<OutputField>& fields, bool json) {
    std::string out;
    if (json) {
        out = "{";
        for (size_t i = 0; i < fields.size(); ++i) {
            const OutputField& f = fields[i];
            out += (i ? ", " : "") + JsonText(f.Key) + ": " + (f.Json.empty() ? JsonText(f.Text) : f.Json);
        }
        out += "}\n";
    } else {
        for (const OutputField& f : fields) out += f.Label + ": " + f.Text + "\n";
    }
    std::fputs(out.c_str(), stdout);
}

}  // namespace ryvorn::cli
