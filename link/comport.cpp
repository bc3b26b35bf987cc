// SPDX-License-Identifier: MIT
#include "link/comport.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "link/log.h"
#include "link/serial_port_map.h"

namespace ryvorn {

namespace {

speed_t SpeedCode(uint32_t baud) {
    switch (baud) {
        case 300: return B300;
        case 600: return B600;
        case 1200: return B1200;
        case 2400: return B2400;
        case 4800: return B4800;
        case 9600: return B9600;
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        case 115200: return B115200;
        case 230400: return B230400;
        case 460800: return B460800;
        case 921600: return B921600;
        default: return 0;
    }
}

// Writes can meet a full output queue on a non-blocking descriptor: wait for room, but
// never longer than the bytes would take at 300 baud plus a second.
bool WaitWritable(int fd, int timeoutMs) {
    pollfd p{fd, POLLOUT, 0};
    int r;
    do {
        r = ::poll(&p, 1, timeoutMs);
    } while (r < 0 && errno == EINTR);
    return r > 0 && (p.revents & POLLOUT);
}

}  // namespace

TComport::TComport() = default;

TComport::~TComport() { Close(); }

std::string TComport::ResolvePath() const {
    if (!DevicePath_.empty()) return DevicePath_;
    return SerialPortMap::FromEnvironment().DevicePath(Port_);
}

bool TComport::Open(uint16_t rxQueueSize, uint16_t txQueueSize) {
    Close();
    const std::string path = ResolvePath();
    if (!path.empty()) {
        const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            // Keep other programs off the line while we own it (ignored where unsupported).
            ::ioctl(fd, TIOCEXCL);
            Fd_ = fd;
            OpenedPath_ = path;
            CountersSupported_ = true;
            LastCounters_ = {};
            if (!ApplyLineSettings()) {
                LogDebug("serial: line settings of " + path + " could not be applied");
            }
            ClearErrors();
        } else {
            LogDebug("serial: cannot open " + path + ": " + std::to_string(errno));
        }
    }
    TComMedium::Open(rxQueueSize, txQueueSize);  // the driver sizes its own queues
    return IsOpen();
}

void TComport::Close() {
    const int fd = Fd_.exchange(-1);
    if (fd >= 0) {
        // Exclusive mode outlives this descriptor while another one is open (a pty's
        // other users); release it so that our own reopen is not refused.
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
    }
    OpenedPath_.clear();
}

bool TComport::ApplyLineSettings() {
    const int fd = Fd_;
    if (fd < 0) return true;
    termios t{};
    if (::tcgetattr(fd, &t) != 0) return false;
    ::cfmakeraw(&t);
    // Raw bytes: no line discipline must touch ETX, NAK, XON/XOFF or CR.
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    bool ok = true;

    if (const speed_t s = SpeedCode(Baudrate_)) {
        ::cfsetispeed(&t, s);
        ::cfsetospeed(&t, s);
    } else {
        ok = false;
    }

    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE);
    switch (Databits_) {
        case cdbFive: t.c_cflag |= CS5; break;
        case cdbSix: t.c_cflag |= CS6; break;
        case cdbSeven: t.c_cflag |= CS7; break;
        case cdbEight: t.c_cflag |= CS8; break;
        case cdbFour: t.c_cflag |= CS8; ok = false; break;  // no 4-bit bytes on this platform
    }

    if (Stopbits_ == csbTwo) {
        t.c_cflag |= CSTOPB;
    } else {
        t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
        if (Stopbits_ == csbOnePointFive) ok = false;
    }

    t.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD | CMSPAR);
    switch (Paritybits_) {
        case cpbNone: break;
        case cpbOdd: t.c_cflag |= PARENB | PARODD; break;
        case cpbEven: t.c_cflag |= PARENB; break;
        case cpbMark: t.c_cflag |= PARENB | PARODD | CMSPAR; break;
        case cpbSpace: t.c_cflag |= PARENB | CMSPAR; break;
    }
    if (Paritybits_ != cpbNone) t.c_iflag |= INPCK;

    if (::tcsetattr(fd, TCSANOW, &t) != 0) return false;
    return ok;
}

bool TComport::SetBaudrate(uint32_t baud) {
    Baudrate_ = baud;
    return ApplyLineSettings() && SpeedCode(baud) != 0;
}

bool TComport::SetDatabits(TDataBits bits) {
    Databits_ = bits;
    return ApplyLineSettings() && bits != cdbFour;
}

bool TComport::SetStopbits(TStopBits bits) {
    Stopbits_ = bits;
    return ApplyLineSettings() && bits != csbOnePointFive;
}

bool TComport::SetParitybits(TParityBits parity) {
    Paritybits_ = parity;
    return ApplyLineSettings();
}

uint32_t TComport::ClearErrors() {
    const int fd = Fd_;
    if (fd < 0) {
        RxdQue_ = TxdQue_ = 0;
        LastErrorMask_ = 0;
        return 0;
    }
    int in = 0, out = 0;
    RxdQue_ = ::ioctl(fd, TIOCINQ, &in) == 0 && in > 0 ? static_cast<uint32_t>(in) : 0;
    TxdQue_ = ::ioctl(fd, TIOCOUTQ, &out) == 0 && out > 0 ? static_cast<uint32_t>(out) : 0;

    uint32_t mask = 0;
    if (CountersSupported_) {
        serial_icounter_struct c{};
        if (::ioctl(fd, TIOCGICOUNT, &c) == 0) {
            // The driver counts errors; a change since the last look is an error now.
            if (c.frame != LastCounters_.frame) mask |= LineErrorFrame;
            if (c.overrun != LastCounters_.overrun) mask |= LineErrorOverrun;
            if (c.parity != LastCounters_.parity) mask |= LineErrorParity;
            if (c.brk != LastCounters_.brk) mask |= LineErrorBreak;
            if (c.buf_overrun != LastCounters_.bufOverrun) mask |= LineErrorRxOver;
            LastCounters_ = {c.frame, c.overrun, c.parity, c.brk, c.buf_overrun};
        } else {
            CountersSupported_ = false;  // ptys and some adapters have no counters
        }
    }
    LastErrorMask_ = mask;
    return mask;
}

uint32_t TComport::GetRxdQue() {
    ClearErrors();
    return RxdQue_;
}

uint32_t TComport::GetTxdQue() {
    ClearErrors();
    return TxdQue_;
}

uint32_t TComport::Read(uint8_t* buffer, uint32_t count) {
    const uint32_t mask = ClearErrors();
    const int fd = Fd_;
    if (mask != 0 || RxdQue_ == 0 || fd < 0 || count == 0) return 0;
    const uint32_t want = std::min(RxdQue_, count);
    ssize_t n;
    do {
        n = ::read(fd, buffer, want);
    } while (n < 0 && errno == EINTR);
    return n > 0 ? static_cast<uint32_t>(n) : 0;
}

uint32_t TComport::Write(const uint8_t* buffer, uint32_t count) {
    const int fd = Fd_;
    if (fd < 0) return 0;
    uint32_t done = 0;
    const int budgetMs = 1000 + static_cast<int>(count) * 10 * 1000 / 300;
    while (done < count) {
        const ssize_t n = ::write(fd, buffer + done, count - done);
        if (n > 0) {
            done += static_cast<uint32_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            if (!WaitWritable(fd, budgetMs)) break;
        } else {
            break;
        }
    }
    return done;
}

void TComport::Purge() {
    const int fd = Fd_;
    if (fd >= 0) ::tcflush(fd, TCIOFLUSH);
}

void TComport::SetBreak(bool on) {
    const int fd = Fd_;
    if (fd >= 0) ::ioctl(fd, on ? TIOCSBRK : TIOCCBRK);  // a no-op on ptys
}

bool TComport::EscapeFunction(uint32_t function) {
    const int fd = Fd_;
    if (fd < 0) return false;
    int bits = 0;
    unsigned long request = 0;
    switch (function) {
        case EscSetRts: bits = TIOCM_RTS; request = TIOCMBIS; break;
        case EscClrRts: bits = TIOCM_RTS; request = TIOCMBIC; break;
        case EscSetDtr: bits = TIOCM_DTR; request = TIOCMBIS; break;
        case EscClrDtr: bits = TIOCM_DTR; request = TIOCMBIC; break;
        case EscSetBreak: return ::ioctl(fd, TIOCSBRK) == 0;
        case EscClrBreak: return ::ioctl(fd, TIOCCBRK) == 0;
        default: return false;
    }
    return ::ioctl(fd, request, &bits) == 0;  // ENOTTY on ptys: not supported
}

bool TComport::WaitForData(std::chrono::milliseconds timeout) {
    const int fd = Fd_;
    if (fd < 0) return false;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        const int r = ::poll(&p, 1, static_cast<int>(std::clamp<int64_t>(left.count(), 0, 1 << 30)));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        // Readable means bytes are queued. A hang-up (the other end of a pty went
        // away) also wakes poll(); it ends the wait instead of waking it again and again.
        int queued = 0;
        return (p.revents & POLLIN) && ::ioctl(fd, TIOCINQ, &queued) == 0 && queued > 0;
    }
}

}  // namespace ryvorn
