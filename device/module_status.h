// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace ryvorn {

// The result of a module's last operation.
enum class TOxModuleStatus : uint8_t {
    Pending = 0,             // set at the start of every operation
    DataError = 1,           // a reply came but had the wrong length or content
    Ok = 2,                  // the reply had the expected form ("U" for a write)
    CommunicationError = 3,  // no valid reply
    Busy = 4,                // the controller answered the single byte "S"
    NotPresent = 5,          // the controller does not have the function
};

// The function code a module reports with OnUpdate. Codes without a failure text of
// their own (availability 1, the transfer and display codes of later modules) still
// travel as plain bytes.
enum TOxFunction : uint8_t {
    ofAvailability = 1,
    ofInfo = 2,
    ofWrite = 3,
    ofRead = 4,
    ofVerify = 5,
    ofLoad = 6,
    ofSave = 7,
    ofQuery = 8,
    ofSet = 9,
    ofReset = 10,
    ofUpdate = 11,
    ofMark = 12,
    ofClear = 13,
    ofCommand = 14,
    ofSelect = 15,
    ofQuerySelect = 16,
    ofGetPassphrase = 22,
    ofSetPassphrase = 23,
    ofReadFile = 37,
    ofWriteFile = 38,
};

// "Info", "Write", ... : the function's name in tool output; "function N" for a code
// without one.
std::string FunctionName(uint8_t function);

// "Info Function Failed", ..., "Unknown Command Failed" for a code without a text.
const char* FunctionFailureText(uint8_t function);

// What follows the failure text: ", Data error", ", Communication error", ", Busy", and
// ", Unknown result" for every other status.
const char* ModuleStatusText(TOxModuleStatus status);

// The report line of a failed operation: the module name, a blank, the failure text and
// the status text, e.g. "Encryption Set Encryption passphrase failed, Busy".
std::string FailureReport(const std::string& moduleName, uint8_t function, TOxModuleStatus status);

}  // namespace ryvorn
