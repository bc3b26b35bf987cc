// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace ryvorn::cli {

// One field of a record a subcommand prints: a line "Label: text" in text form, a member
// "key": value in JSON form.
struct OutputField {
    OutputField(std::string label, std::string key, std::string text, std::string json = {})
        : Label(std::move(label)), Key(std::move(key)), Text(std::move(text)), Json(std::move(json)) {}

    std::string Label;
    std::string Key;
    std::string Text;
    // The JSON value as it stands (a number, a list); empty: Text as a JSON string.
    std::string Json;
};

// Prints the record on stdout, one line per field or one JSON object.
void PrintFields(const std::vector<OutputField>& fields, bool json);
// The fields as one JSON object, for records inside a list.
std::string JsonObject(const std::vector<OutputField>& fields);
// JSON values as one JSON array.
std::string JsonArray(const std::vector<std::string>& values);

}  // namespace ryvorn::cli
