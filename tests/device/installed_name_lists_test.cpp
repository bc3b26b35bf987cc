// SPDX-License-Identifier: MIT
#include "device/installed_name_lists.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "device/param_formatters.h"

namespace ryvorn {
namespace {

class InstalledNameListsTest : public ::testing::Test {
  protected:
    void SetUp() override { SbcModule_UnInstall(); }
    void TearDown() override { SbcModule_UnInstall(); }
};

TEST_F(InstalledNameListsTest, NothingIsInstalledBeforeAnInstallAndAfterAnUninstall) {
    auto lists = SbcModule_InstalledLists();
    ASSERT_NE(lists, nullptr);
    EXPECT_FALSE(lists->Labels || lists->IoNames || lists->ExtRegNames);

    SbcModule_Install(std::vector<std::string>{}, std::vector<TIoName>{}, std::nullopt);
    lists = SbcModule_InstalledLists();
    EXPECT_TRUE(lists->Labels && lists->IoNames);
    EXPECT_FALSE(lists->ExtRegNames);

    SbcModule_UnInstall();
    EXPECT_FALSE(SbcModule_InstalledLists()->Labels);
}

TEST_F(InstalledNameListsTest, ASnapshotStaysIntactWhileOthersAreInstalled) {
    SbcModule_Install(std::vector<std::string>{"Old"}, std::nullopt, std::nullopt);
    const auto snapshot = SbcModule_InstalledLists();
    SbcModule_Install(std::vector<std::string>{"New"}, std::nullopt, std::nullopt);
    SbcModule_UnInstall();
    ASSERT_TRUE(snapshot->Labels);
    EXPECT_EQ(snapshot->Labels->at(0), "Old");
    EXPECT_EQ(FormatParam(TFormatterKind::dpParamLabel, 1, *snapshot), "Old");
}

// A worker formats while the main thread installs and uninstalls: every text it gets
// belongs to one complete set of lists (run it under ThreadSanitizer too).
TEST_F(InstalledNameListsTest, WorkerSeesWholeListsWhileTheMainThreadInstalls) {
    std::atomic<bool> stop{false};
    std::atomic<int> mixed{0};
    std::thread worker([&] {
        do {
            const auto lists = SbcModule_InstalledLists();
            const std::string label = FormatParam(TFormatterKind::dpParamLabel, 1, *lists);
            const std::string io = FormatParam(TFormatterKind::dpParamIO, 7, *lists);
            const std::string ext = FormatParam(TFormatterKind::dpParamSource, 101, *lists);
            const bool whole = (label.empty() && io == "7" && ext == "EXT[1]") ||
                               (label == "A" && io == "A" && ext == "A") ||
                               (label == "B" && io == "B" && ext == "B");
            if (!whole) ++mixed;
            // The plain formatters take their own snapshot per call.
            const std::string plain = dpParamIO(7);
            if (plain != "7" && plain != "A" && plain != "B") ++mixed;
        } while (!stop.load());
    });
    for (int round = 0; round < 3000; ++round) {
        const std::string name = round % 2 == 0 ? "A" : "B";
        SbcModule_Install(std::vector<std::string>{name}, std::vector<TIoName>{{name, 7}},
                          std::vector<TExtRegName>{{name, 101}});
        if (round % 3 == 0) SbcModule_UnInstall();
    }
    stop = true;
    worker.join();
    EXPECT_EQ(mixed.load(), 0);
}

}  // namespace
}  // namespace ryvorn
