// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "link/com_medium.h"

namespace ryvorn {

enum TDataBits : uint8_t { cdbFour, cdbFive, cdbSix, cdbSeven, cdbEight };
enum TStopBits : uint8_t { csbOne, csbOnePointFive, csbTwo };
enum TParityBits : uint8_t { cpbNone, cpbOdd, cpbEven, cpbMark, cpbSpace };

// Line-error mask bits reported by ClearErrors (the classic serial error codes).
enum : uint32_t {
    LineErrorRxOver = 0x01,
    LineErrorOverrun = 0x02,
    LineErrorParity = 0x04,
    LineErrorFrame = 0x08,
    LineErrorBreak = 0x10,
};

// Extended line functions for EscapeFunction.
enum : uint32_t {
    EscSetRts = 3,
    EscClrRts = 4,
    EscSetDtr = 5,
    EscClrDtr = 6,
    EscSetBreak = 8,
    EscClrBreak = 9,
};

// A serial port in raw mode (also USB-serial adapters and ptys). Reads never block;
// WaitForData blocks on poll() for the rest of a deadline. Modem-line and error
// counter calls that a device does not support (ptys) are simply not supported,
// never a failure of the port.
class TComport : public TComMedium {
public:
    TComport();
    ~TComport() override;

    bool Open(uint16_t rxQueueSize, uint16_t txQueueSize) override;
    bool IsOpen() const override { return Fd_.load() >= 0; }
    void Close() override;
    void SetBreak(bool on) override;
    uint32_t Read(uint8_t* buffer, uint32_t count) override;
    uint32_t Write(const uint8_t* buffer, uint32_t count) override;
    void Purge() override;
    uint32_t ClearErrors() override;
    bool EscapeFunction(uint32_t function) override;
    uint32_t GetRxdQue() override;
    uint32_t GetTxdQue() override;
    bool WaitForData(std::chrono::milliseconds timeout) override;

    // The line settings take effect at once on an open port; each returns false when
    // the value cannot be applied (not supported by this platform or device).
    bool SetBaudrate(uint32_t baud);
    bool SetDatabits(TDataBits bits);
    bool SetStopbits(TStopBits bits);
    bool SetParitybits(TParityBits parity);
    void SetFlow(uint32_t flow) { Flow_ = flow; }
    uint32_t ReadFlow() const { return IsOpen() ? Flow_ : 0; }

    // Port number (1 = first port), mapped to a device by SerialPortMap.
    void SetPort(uint8_t port) { Port_ = port; }
    uint8_t Port() const { return Port_; }
    // A device path that replaces the port number's mapping (command line --serial).
    void SetDevicePath(const std::string& path) { DevicePath_ = path; }
    // The device actually opened (empty while closed).
    const std::string& OpenedPath() const { return OpenedPath_; }

    uint32_t Baudrate() const { return Baudrate_; }
    TDataBits Databits() const { return Databits_; }
    TStopBits Stopbits() const { return Stopbits_; }
    TParityBits Paritybits() const { return Paritybits_; }
    uint32_t Flow() const { return Flow_; }

private:
    bool ApplyLineSettings();
    std::string ResolvePath() const;

    std::atomic<int> Fd_{-1};
    uint8_t Port_ = 0;
    std::string DevicePath_;
    std::string OpenedPath_;
    uint32_t Baudrate_ = 9600;
    TDataBits Databits_ = cdbEight;
    TStopBits Stopbits_ = csbOne;
    TParityBits Paritybits_ = cpbNone;
    uint32_t Flow_ = 0x4001;
    bool CountersSupported_ = true;
    struct Counters {
        int frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
    } LastCounters_;
};

}  // namespace ryvorn
