// SPDX-License-Identifier: MIT
#include "link/log.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace ryvorn {

namespace {
std::mutex SinkMutex;
std::function<void(const std::string&)>& Sink() {
    static std::function<void(const std::string&)> sink;
    return sink;
}
}  // namespace

void SetLogSink(std::function<void(const std::string&)> sink) {
    std::lock_guard lock(SinkMutex);
    Sink() = std::move(sink);
}

void LogDebug(const std::string& line) {
    std::lock_guard lock(SinkMutex);
    if (Sink()) {
        Sink()(line);
    } else if (std::getenv("RYVORN_DEBUG")) {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
}

}  // namespace ryvorn
