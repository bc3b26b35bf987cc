// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace ryvorn {

// The daily error log: one text file per day, "<yymmdd>.txt" in the log directory,
// each line the date and time, a blank and the text. Writing never fails the caller.
class TLogFile {
public:
    // Throws std::runtime_error("<directory> not exist") for a missing directory.
    explicit TLogFile(const std::string& directory);
    void Write(const std::string& text) const;
    // The file today's lines go to.
    std::string TodaysPath() const;

private:
    std::string Directory_;
};

// Sets the directory of the application's error log (the executable directory).
void InstallDir(const std::string& directory);
void WriteToErrLog(const std::string& text);

}  // namespace ryvorn
