// SPDX-License-Identifier: MIT
#include "device/module_status.h"

#include <gtest/gtest.h>

namespace ryvorn {
namespace {

TEST(ModuleStatus, FailureTextOfEveryFunctionCode) {
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {2, "Info Function Failed"},
        {3, "Write Function Failed"},
        {4, "Read Function Failed"},
        {5, "Verify Function Failed"},
        {6, "Load Function Failed"},
        {7, "Save Function Failed"},
        {8, "Query Function Failed"},
        {9, "Set Function Failed"},
        {10, "Reset Function Failed"},
        {11, "Update Function Failed"},
        {12, "Mark Function Failed"},
        {13, "Clear Function Failed"},
        {14, "Command Function Failed"},
        {15, "Select Function Failed"},
        {16, "QuerySelect Function Failed"},
        {22, "Get Encryption passphrase failed"},
        {23, "Set Encryption passphrase failed"},
        {37, "Read Function failed"},
        {38, "Write Function failed"},
        // Codes other modules report without a text of their own.
        {0, "Unknown Command Failed"},
        {1, "Unknown Command Failed"},
        {17, "Unknown Command Failed"},
        {21, "Unknown Command Failed"},
        {24, "Unknown Command Failed"},
        {36, "Unknown Command Failed"},
        {39, "Unknown Command Failed"},
        {255, "Unknown Command Failed"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(FunctionFailureText(static_cast<uint8_t>(c.code)), c.text) << c.code;
}

TEST(ModuleStatus, StatusTextsAndTheReportLine) {
    EXPECT_STREQ(ModuleStatusText(TOxModuleStatus::DataError), ", Data error");
    EXPECT_STREQ(ModuleStatusText(TOxModuleStatus::CommunicationError), ", Communication error");
    EXPECT_STREQ(ModuleStatusText(TOxModuleStatus::Busy), ", Busy");
    for (auto s : {TOxModuleStatus::Pending, TOxModuleStatus::Ok, TOxModuleStatus::NotPresent}) {
        EXPECT_STREQ(ModuleStatusText(s), ", Unknown result") << static_cast<int>(s);
    }
    EXPECT_EQ(FailureReport("Encryption", ofSetPassphrase, TOxModuleStatus::Busy),
              "Encryption Set Encryption passphrase failed, Busy");
    EXPECT_EQ(FailureReport("Ethernet Interface.", ofRead, TOxModuleStatus::CommunicationError),
              "Ethernet Interface. Read Function Failed, Communication error");
}

}  // namespace
}  // namespace ryvorn
