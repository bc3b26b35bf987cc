// SPDX-License-Identifier: MIT
#include "link/error_log.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>

namespace ryvorn {

namespace {

std::mutex LogMutex;
std::string& LogDirectory() {
    static std::string dir;
    return dir;
}

std::string Stamp(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

}  // namespace

TLogFile::TLogFile(const std::string& directory) : Directory_(directory) {
    std::error_code ec;
    if (!std::filesystem::is_directory(directory, ec)) throw std::runtime_error(directory + " not exist");
}

std::string TLogFile::TodaysPath() const {
    return (std::filesystem::path(Directory_) / (Stamp("%y%m%d") + ".txt")).string();
}

void TLogFile::Write(const std::string& text) const {
    try {
        std::lock_guard lock(LogMutex);
        std::ofstream out(TodaysPath(), std::ios::app | std::ios::binary);
        out << Stamp("%Y-%m-%d %H:%M:%S") << ' ' << text << '\n';
    } catch (...) {
        // The log must never take the caller down.
    }
}

void InstallDir(const std::string& directory) {
    std::lock_guard lock(LogMutex);
    LogDirectory() = directory;
}

void WriteToErrLog(const std::string& text) {
    std::string dir;
    {
        std::lock_guard lock(LogMutex);
        dir = LogDirectory();
    }
    if (dir.empty()) return;
    try {
        TLogFile(dir).Write(text);
    } catch (...) {
    }
}

}  // namespace ryvorn
