// SPDX-License-Identifier: MIT
#include "link/error_log.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>

namespace ryvorn {
namespace {

TEST(ErrorLog, OneFilePerDayNamedByTheDate) {
    const auto dir = std::filesystem::temp_directory_path() / ("ryvorn-log-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    InstallDir(dir.string());
    WriteToErrLog("first");
    WriteToErrLog("second");
    InstallDir("");

    char name[16];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(name, sizeof name, "%y%m%d.txt", &local);
    std::ifstream in(dir / name);
    ASSERT_TRUE(in) << "missing " << (dir / name);
    std::string line;
    std::getline(in, line);
    // "yyyy-mm-dd hh:mm:ss first"
    EXPECT_EQ(line.size(), 19 + 1 + 5);
    EXPECT_EQ(line.substr(20), "first");
    std::getline(in, line);
    EXPECT_EQ(line.substr(20), "second");
    std::filesystem::remove_all(dir);
}

TEST(ErrorLog, MissingDirectory) {
    EXPECT_THROW(
        {
            try {
                TLogFile("/nonexistent/ryvorn");
            } catch (const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), "/nonexistent/ryvorn not exist");
                throw;
            }
        },
        std::runtime_error);
    InstallDir("/nonexistent/ryvorn");
    WriteToErrLog("swallowed");  // never throws
    InstallDir("");
}

}  // namespace
}  // namespace ryvorn
