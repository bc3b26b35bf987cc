// SPDX-License-Identifier: MIT
// The parsers of the data modules with arbitrary replies: every operation of the System
// Interface, User Interface, I/O, Indicator, Extended Registers, Result, clock and weigher
// modules in turn, each answered with the next reply of the input. Whatever arrives, an
// operation ends with a status of the operation pattern and never reads past the reply.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <mutex>

#include "device/sbc_device.h"
#include "tests/device/scripted_protocol.h"

namespace {

using ryvorn::testing::Bytes;

std::mutex Mutex;
std::deque<Bytes> Replies;  // the input's replies still to hand out

std::optional<Bytes> Next(int32_t, const Bytes&) {
    std::lock_guard lock(Mutex);
    if (Replies.empty()) return std::nullopt;
    Bytes reply = Replies.front();
    Replies.pop_front();
    return reply;
}

void Check(const ryvorn::TOxModule& module) {
    using S = ryvorn::TOxModuleStatus;
    const S s = module.Status();
    if (s != S::Ok && s != S::DataError && s != S::CommunicationError && s != S::Busy && s != S::NotPresent)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ryvorn;
    // One device for every input: a protocol thread per input would cost more than the run.
    static testing::ScriptedLink link{Next};
    static TOxSbcDevice device{0, link.Prot.get()};
    {
        // Input: replies, each a length byte (in units of 2 bytes, up to the end) and its bytes.
        std::lock_guard lock(Mutex);
        Replies.clear();
        for (size_t i = 0; i < size;) {
            const size_t length = std::min<size_t>(static_cast<size_t>(data[i]) * 2, size - i - 1);
            Replies.emplace_back(data + i + 1, data + i + 1 + length);
            i += 1 + length;
        }
    }
    device.SysInterface().Info();
    Check(device.SysInterface());
    TOxSbcUiModule& ui = device.UserInterface();
    ui.Info();
    ui.ReadBand();
    ui.ReadPartialBand();
    Check(ui);

    TOxSbcIoModule& io = device.Io();
    io.Info();
    io.SetKindGroups();
    io.Query();
    Check(io);
    (void)io.ReadBit(static_cast<uint16_t>(size), -1);

    TOxSbcIndicatorModule& indicator = device.Indicator();
    indicator.Info();
    const TBlockRange indicators[] = {{0, indicator.Count()}, {7, 3}};
    indicator.SetQueryBlocks(indicators);
    indicator.Query();
    Check(indicator);
    (void)indicator.ReadIndicator(1);

    TOxSbcExtRegisterModule& ext = device.ExtRegister();
    ext.Info();
    const TBlockRange registers[] = {{0, ext.Count()}};
    ext.SetQueryBlocks(registers);
    ext.Query();
    Check(ext);
    (void)ext.ReadRegister(101);

    TOxSbcResultModule& result = device.Result();
    result.Info();
    result.SetSelectionMask(0xFFFF);
    result.Query();
    result.Mark();
    Check(result);

    device.RealTimeClock().Read();
    Check(device.RealTimeClock());
    TOxSbcWeigherModule& weigher = device.Weigher();
    weigher.Info();
    weigher.ReadWithMask1();
    weigher.Save();
    Check(weigher);
    return 0;
}
