// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "link/auto_reset_event.h"

namespace ryvorn {

// The abstract byte transport. Transports never block on Read: it returns only what
// is already queued. WaitForData lets the layers above block (on poll() or on
// DataEvent) for the rest of a deadline instead of polling the counters in a loop.
class TComMedium {
public:
    TComMedium();
    virtual ~TComMedium();
    TComMedium(const TComMedium&) = delete;
    TComMedium& operator=(const TComMedium&) = delete;

    virtual uint32_t GetRxdQue() { return 0; }
    virtual uint32_t GetTxdQue() { return 0; }
    virtual void SetRxFull(uint32_t limit) { RxFull_ = limit; }
    virtual void SetTxEmpty(uint32_t limit) { TxEmpty_ = limit; }
    // Every override opens first and then calls this step, which fires OnOpen or
    // OnOpenFailed.
    virtual bool Open(uint16_t rxQueueSize, uint16_t txQueueSize);
    virtual bool IsOpen() const = 0;
    virtual void Close() {}
    virtual void SetBreak(bool /*on*/) {}
    virtual uint32_t Read(uint8_t* /*buffer*/, uint32_t /*count*/) { return 0; }
    virtual uint32_t Write(const uint8_t* /*buffer*/, uint32_t /*count*/) { return 0; }
    virtual void Purge() {}
    // Returns the line-error mask and refreshes RxdQue and TxdQue.
    virtual uint32_t ClearErrors() { return 0; }
    // Extended line functions (DTR, RTS, ...); false when the transport or the device
    // does not support the function.
    virtual bool EscapeFunction(uint32_t /*function*/) { return false; }

    // Blocks until at least one byte is queued or the time-out passes; false when
    // nothing arrived (time-out, hang-up, closed). The base waits on DataEvent.
    virtual bool WaitForData(std::chrono::milliseconds timeout);
    // The mask the last ClearErrors reported; a non-zero mask ends a receive wait.
    uint32_t LastErrorMask() const { return LastErrorMask_; }

    uint32_t RxdQue() const { return RxdQue_; }
    uint32_t TxdQue() const { return TxdQue_; }
    uint32_t TxEmpty() const { return TxEmpty_; }
    uint32_t RxFull() const { return RxFull_; }
    const std::string& DataEventName() const { return DataEventName_; }

    std::function<void(TComMedium&)> OnOpen;
    std::function<void(TComMedium&)> OnOpenFailed;
    // Signalled by transports that receive asynchronously (UDP) whenever a datagram arrives.
    AutoResetEvent DataEvent;

protected:
    uint32_t RxdQue_ = 0;
    uint32_t TxdQue_ = 0;
    uint32_t TxEmpty_ = 0;
    uint32_t RxFull_ = 0;
    uint32_t LastErrorMask_ = 0;

private:
    std::string DataEventName_;
};

}  // namespace ryvorn
