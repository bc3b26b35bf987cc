// SPDX-License-Identifier: MIT
#pragma once

#include <mutex>
#include <utility>

namespace ryvorn {

// A module's data area in the device record, with the lock that keeps its fields
// consistent: the worker writes a reply into it while a view on the main thread copies
// it or fills in request parameters. Every access goes through the lock.
template <class Data>
class TGuardedArea {
  public:
    void Attach(Data& data) { Data_ = &data; }

    Data Copy() const {
        std::lock_guard lock(Mutex_);
        return *Data_;
    }
    template <class Reader>
    decltype(auto) Read(Reader&& reader) const {
        std::lock_guard lock(Mutex_);
        return reader(std::as_const(*Data_));
    }
    template <class Writer>
    decltype(auto) Write(Writer&& writer) {
        std::lock_guard lock(Mutex_);
        return writer(*Data_);
    }

  private:
    mutable std::mutex Mutex_;
    Data* Data_ = nullptr;
};

}  // namespace ryvorn
