// SPDX-License-Identifier: MIT
#include "link/ox_prot.h"

#include <algorithm>

#include "link/log.h"

namespace ryvorn {

TOXProt::TOXProt(std::unique_ptr<TBaseProtocol> protocol) : Protocol_(std::move(protocol)) {
    if (!Protocol_) return;
    Protocol_->SetTimeout(100);
    Protocol_->SetOwner(this);
    Start();
}

TOXProt::~TOXProt() {
    Stop();
    if (Protocol_) Protocol_->Close();
}

bool TOXProt::LinkOpen() const { return Protocol_ && Protocol_->IsOpen(); }

bool TOXProt::Start() {
    if (Running_ || !Protocol_) return Running_;
    if (!Protocol_->IsOpen() && !Protocol_->Open()) return false;
    {
        std::lock_guard lock(Mutex_);
        Terminated_ = false;
        Parked_ = false;
    }
    if (Thread_.joinable()) Thread_.join();
    Running_ = true;
    Thread_ = std::thread([this] { Run(); });
    return true;
}

void TOXProt::Stop(std::chrono::milliseconds grace) {
    {
        std::lock_guard lock(Mutex_);
        Terminated_ = true;
    }
    Wake_.notify_all();
    // The request on the line (on the thread or a caller's) ends within its own
    // time-outs; say so when that is longer than the grace time, then wait for it all
    // the same: there is no safe way to abandon a thread that is using the transport.
    std::unique_lock lock(Mutex_);
    const auto ended = [this] { return !Running_.load() && !LineBusy_; };
    if (!ParkedChanged_.wait_for(lock, grace, ended)) {
        LogDebug("protocol thread: still finishing a request after the grace time");
        ParkedChanged_.wait(lock, ended);
    }
    lock.unlock();
    if (Thread_.joinable()) Thread_.join();
}

void TOXProt::Prepare(TOxRequest& request, const uint8_t* payload, uint16_t timeout, uint16_t length,
                      uint8_t headerByte, int32_t address) const {
    const uint16_t n = std::min<uint16_t>(length, MaxPayload);
    std::copy_n(payload, n, request.Request.begin());
    request.Done = false;
    request.Status = TOxRequest::StatusInProgress;
    request.RequestLength = n;
    request.ReplyLength = 0;
    request.NotReadyResends = 0;
    request.Timeout = timeout != 0 ? timeout : DefaultTimeout_.load();
    request.HeaderByte = headerByte;
    request.Address = address;
}

std::shared_ptr<AutoResetEvent> TOXProt::Enqueue(TOxRequest& request, const uint8_t* payload, uint16_t timeout,
                                                 uint16_t length, uint8_t headerByte, int32_t address) {
    Prepare(request, payload, timeout, length, headerByte, address);
    std::shared_ptr<AutoResetEvent> event;
    {
        std::lock_guard lock(Mutex_);
        if (Terminated_ || !Running_) return nullptr;
        event = Events_.EventForThisThread();
        request.CompletionEvent = event;
        Queue_.push_back(&request);
    }
    Wake_.notify_one();
    return event;
}

bool TOXProt::RunNow(TOxRequest& request, const uint8_t* payload, uint16_t timeout, uint16_t length,
                     uint8_t headerByte, int32_t address) {
    {
        std::lock_guard lock(Mutex_);
        if (Terminated_ || !Running_ || PausedFlag_ || LineBusy_ || !Queue_.empty()) return false;
        LineBusy_ = true;
    }
    Prepare(request, payload, timeout, length, headerByte, address);
    request.CompletionEvent.reset();
    Serve(request);
    request.Done = true;
    ReleaseLine();
    return true;
}

void TOXProt::ReleaseLine() {
    bool othersWait;
    {
        std::lock_guard lock(Mutex_);
        LineBusy_ = false;
        State_ = 0;
        othersWait = !Queue_.empty() || PausedFlag_ || Terminated_;
    }
    // Wake the thread only for what it has to do: requests queued behind this one, or a
    // pause or a stop waiting for the line. Waking it for nothing costs a thread switch
    // per request.
    if (othersWait) {
        Wake_.notify_all();
        ParkedChanged_.notify_all();
    }
}

bool TOXProt::Cancel(TOxRequest& request) {
    std::lock_guard lock(Mutex_);
    const auto it = std::find(Queue_.begin(), Queue_.end(), &request);
    if (it == Queue_.end()) return false;
    Queue_.erase(it);
    return true;
}

bool TOXProt::Pause(bool on, std::chrono::milliseconds bound) {
    std::unique_lock lock(Mutex_);
    PausedFlag_ = on;
    Wake_.notify_all();
    if (!on || !Running_) return true;
    return ParkedChanged_.wait_for(lock, bound, [this] { return (Parked_ && !LineBusy_) || !Running_; });
}

void TOXProt::Complete(TOxRequest& request, bool done) {
    // The caller reads Done after its event fires; Done is set last.
    auto event = request.CompletionEvent;
    request.Done = done;
    if (event) event->Signal();
}

void TOXProt::Run() {
    for (;;) {
        TOxRequest* request = nullptr;
        {
            std::unique_lock lock(Mutex_);
            State_ = 0;
            for (;;) {
                if (Terminated_) break;
                if (PausedFlag_) {
                    Parked_ = true;
                    ParkedChanged_.notify_all();
                    Wake_.wait(lock, [this] { return !PausedFlag_ || Terminated_; });
                    Parked_ = false;
                    continue;
                }
                // Take the next request at once when one is queued and the line is free:
                // no wake-up needed.
                if (!Queue_.empty() && !LineBusy_) break;
                Wake_.wait(lock);
            }
            if (Terminated_) {
                // Whatever is still queued will never be sent.
                for (TOxRequest* r : Queue_) {
                    r->Status = TOxRequest::StatusFailed;
                    Complete(*r, false);
                }
                Queue_.clear();
                Running_ = false;
                ParkedChanged_.notify_all();
                return;
            }
            request = Queue_.front();
            Queue_.pop_front();
            LineBusy_ = true;
        }
        Serve(*request);
        ReleaseLine();
        Complete(*request, true);
    }
}

void TOXProt::Serve(TOxRequest& request) {
    TBaseProtocol& p = *Protocol_;
    // 1 send: address, header and time-out of this request, then the frame.
    State_ = 1;
    p.SetAddress(request.Address);
    p.SetHeaderByte(request.HeaderByte);
    p.SetTimeout(request.Timeout);
    request.Status = TOxRequest::StatusInProgress;
    if (!p.BuildFrame(request.Request.data(), request.RequestLength)) {
        request.Status = TOxRequest::StatusFailed;
        return;
    }
    for (;;) {
        State_ = 2;  // transmit
        if (!p.SendFrame()) {
            request.Status = TOxRequest::StatusFailed;
            break;
        }
        State_ = 3;  // receive
        const bool received = p.ReceiveFrame();
        State_ = 4;  // complete
        if (!received) {
            request.Status = TOxRequest::StatusFailed;
            break;
        }
        uint16_t length = 0;
        p.GetReply(request.Reply.data(), length);
        request.ReplyLength = length;
        const bool notReady = length == 1 && request.Reply[0] == 0x00;
        if (!notReady) {
            request.Status = TOxRequest::StatusOk;
            break;
        }
        // The controller is not ready and wants the same frame again; bounded, so a
        // controller stuck in "not ready" cannot hold every caller for ever.
        bool stop;
        {
            std::lock_guard lock(Mutex_);
            stop = Terminated_;
        }
        if (stop || request.NotReadyResends >= MaxNotReadyResends) {
            request.Status = TOxRequest::StatusFailed;
            break;
        }
        ++request.NotReadyResends;
    }
    if (request.Status != TOxRequest::StatusOk) request.ReplyLength = 0;
}

}  // namespace ryvorn
