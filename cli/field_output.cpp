// SPDX-License-Identifier: MIT
#include "cli/field_output.h"

#include <cstdio>

#include "device/json_text.h"

namespace ryvorn::cli {

std::string JsonObject(const std::vector<OutputField>& fields) {
    std::string out = "{";
    for (size_t i = 0; i < fields.size(); ++i) {
        const OutputField& f = fields[i];
        out += (i ? ", " : "") + JsonText(f.Key) + ": " + (f.Json.empty() ? JsonText(f.Text) : f.Json);
    }
    return out + "}";
}

std::string JsonArray(const std::vector<std::string>& values) {
    std::string out = "[";
    for (size_t i = 0; i < values.size(); ++i) out += (i ? ", " : "") + values[i];
    return out + "]";
}

void PrintFields(const std::vector<OutputField>& fields, bool json) {
    std::string out;
    if (json) {
        out = JsonObject(fields) + "\n";
    } else {
        for (const OutputField& f : fields) out += f.Label + ": " + f.Text + "\n";
    }
    std::fputs(out.c_str(), stdout);
}

}  // namespace ryvorn::cli
