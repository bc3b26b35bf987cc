// SPDX-License-Identifier: MIT
#include "device/module_status.h"

namespace ryvorn {

const char* FunctionFailureText(uint8_t function) {
    switch (function) {
        case ofInfo: return "Info Function Failed";
        case ofWrite: return "Write Function Failed";
        case ofRead: return "Read Function Failed";
        case ofVerify: return "Verify Function Failed";
        case ofLoad: return "Load Function Failed";
        case ofSave: return "Save Function Failed";
        case ofQuery: return "Query Function Failed";
        case ofSet: return "Set Function Failed";
        case ofReset: return "Reset Function Failed";
        case ofUpdate: return "Update Function Failed";
        case ofMark: return "Mark Function Failed";
        case ofClear: return "Clear Function Failed";
        case ofCommand: return "Command Function Failed";
        case ofSelect: return "Select Function Failed";
        case ofQuerySelect: return "QuerySelect Function Failed";
        case ofGetPassphrase: return "Get Encryption passphrase failed";
        case ofSetPassphrase: return "Set Encryption passphrase failed";
        // The file codes spell "failed" in lower case, unlike the module codes.
        case ofReadFile: return "Read Function failed";
        case ofWriteFile: return "Write Function failed";
        default: return "Unknown Command Failed";
    }
}

std::string FunctionName(uint8_t function) {
    switch (function) {
        case ofAvailability: return "Availability";
        case ofInfo: return "Info";
        case ofWrite: case ofWriteFile: return "Write";
        case ofRead: case ofReadFile: return "Read";
        case ofVerify: return "Verify";
        case ofLoad: return "Load";
        case ofSave: return "Save";
        case ofQuery: return "Query";
        case ofSet: return "Set";
        case ofReset: return "Reset";
        case ofUpdate: return "Update";
        case ofMark: return "Mark";
        case ofClear: return "Clear";
        case ofCommand: return "Command";
        case ofSelect: return "Select";
        case ofQuerySelect: return "QuerySelect";
        case ofGetPassphrase: return "Get passphrase";
        case ofSetPassphrase: return "Set passphrase";
        default: return "function " + std::to_string(function);
    }
}

const char* ModuleStatusText(TOxModuleStatus status) {
    switch (status) {
        case TOxModuleStatus::DataError: return ", Data error";
        case TOxModuleStatus::CommunicationError: return ", Communication error";
        case TOxModuleStatus::Busy: return ", Busy";
        default: return ", Unknown result";
    }
}

std::string FailureReport(const std::string& moduleName, uint8_t function, TOxModuleStatus status) {
    return moduleName + " " + FunctionFailureText(function) + ModuleStatusText(status);
}

}  // namespace ryvorn
