// SPDX-License-Identifier: MIT
#include "cli/worker_session.h"

#include "link/link_factory.h"

namespace ryvorn::cli {

WorkerSession::WorkerSession(TLink& link)
    : Device_(link.Address(), link.Prot()), Worker_(std::make_unique<TSbcThread>(Invoker_)) {
    Worker_->SetDevice(&Device_);
}

WorkerSession::~WorkerSession() { Stop(); }

void WorkerSession::Start() {
    Device_.SetActive(true);
    Worker_->Pause(false);
}

bool WorkerSession::WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    return Invoker_.WaitServing(done, std::chrono::steady_clock::now() + timeout);
}

void WorkerSession::Stop() {
    if (Worker_) Worker_->Stop();
}

}  // namespace ryvorn::cli
