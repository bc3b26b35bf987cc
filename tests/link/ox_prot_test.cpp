// SPDX-License-Identifier: MIT
#include "link/ox_prot.h"

#include <gtest/gtest.h>

#include <thread>

#include "link/oxc_func.h"
#include "link/varnel.h"
#include "sim/sim_line_medium.h"

namespace ryvorn {
namespace {

using Bytes = std::vector<uint8_t>;

// The protocol thread over a serial protocol and the in-process controller at bus
// address 0.
struct ProtFixture : ::testing::Test {
    sim::SimController controller;
    sim::SimFaults faults;
    sim::SimLineMedium line{controller, faults, {0}};
    std::unique_ptr<TOXProt> prot;

    void SetUp() override {
        auto protocol = std::make_unique<TVArnel>(&line);
        protocol->SetNoHandshake(true);
        protocol->SetRetries(1);
        prot = std::make_unique<TOXProt>(std::move(protocol));
        ASSERT_TRUE(prot->Running());
    }

    void Fault(const std::string& text) {
        std::string error;
        auto f = sim::ParseFault(text, error);
        ASSERT_TRUE(f) << error;
        faults.Add(*f);
    }

    static Bytes Reply(const TOXcFunc& f) { return Bytes(f.Payload().begin(), f.Payload().begin() + f.ReplyLength()); }
};

TEST_F(ProtFixture, NotReadyRepliesSendTheRequestAgain) {
    Fault("notready 3");
    TOXcFunc f;
    f.SetCommand1(0x5D);
    ASSERT_EQ(f.Execute(prot.get()), oxOk);
    EXPECT_EQ(Reply(f), (Bytes{0x5D, 0x06, 0x17}));
    EXPECT_EQ(f.NotReadyResends(), 3);
    EXPECT_EQ(line.Line().FramesReceived(), 4u);
}

TEST_F(ProtFixture, ResendsOnNotReadyAreBounded) {
    Fault("notready 1 *");
    TOXcFunc f;
    f.SetCommand1(0x5D);
    EXPECT_EQ(f.Execute(prot.get()), oxNoReply);
    EXPECT_EQ(f.NotReadyResends(), TOXProt::MaxNotReadyResends);
    EXPECT_EQ(line.Line().FramesReceived(), static_cast<uint64_t>(TOXProt::MaxNotReadyResends) + 1);
    faults.Clear();
    EXPECT_EQ(f.Execute(prot.get()), oxOk);
}

TEST_F(ProtFixture, AFailedExecuteLeavesNoStaleReply) {
    TOXcFunc f;
    f.SetCommand(0x60, 0x00);
    ASSERT_EQ(f.Execute(prot.get()), oxOk);
    ASSERT_TRUE(f.ReplyIs('U'));
    Fault("silence");
    f.SetCommand(0x60, 0x00);
    EXPECT_EQ(f.Execute(prot.get()), oxNoReply);
    EXPECT_EQ(f.ReplyLength(), 0);
    EXPECT_FALSE(f.ReplyIs('U'));
    EXPECT_EQ(f.GetByte(), 0);
}

TEST_F(ProtFixture, ClosedLinkAndOverlongRequestsAreRefusedWithoutQueueing) {
    TOXcFunc f;
    f.SetCommand1(sim::SimEcho::Interface);
    for (int i = 0; i < 512; ++i) f.AddByte(0x01);  // one more than a payload holds
    EXPECT_TRUE(f.Overflowed());
    EXPECT_EQ(f.Execute(prot.get()), oxNoReply);
    EXPECT_EQ(line.Line().FramesReceived(), 0u);

    ASSERT_TRUE(prot->Pause(true));
    line.Close();
    ASSERT_TRUE(prot->Pause(false));
    f.SetCommand1(0x5D);
    EXPECT_EQ(f.Execute(prot.get()), oxLinkClosed);
    EXPECT_EQ(f.Execute(nullptr), oxNoProtocol);
    EXPECT_EQ(line.Line().FramesReceived(), 0u);
}

TEST_F(ProtFixture, ConcurrentCallersEachGetTheirOwnReply) {
    constexpr int Threads = 4;
    constexpr int Requests = 50;
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&, t] {
            TOXcFunc f;
            for (int i = 0; i < Requests; ++i) {
                f.SetCommand1(sim::SimEcho::Interface);
                f.AddByte(static_cast<uint8_t>(t));
                f.AddWord(i);
                if (f.Execute(prot.get()) != oxOk || Reply(f) != Bytes{sim::SimEcho::Interface, static_cast<uint8_t>(t), 0,
                                                                      static_cast<uint8_t>(i)}) {
                    ++mismatches;
                }
            }
        });
    }
    for (auto& th : threads) th.join();
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(line.Line().FramesReceived(), static_cast<uint64_t>(Threads * Requests));
}

TEST_F(ProtFixture, PauseWaitsForTheRequestInFlightAndHoldsTheQueue) {
    Fault("delay 100");
    TOXcFunc first;
    first.SetCommand1(0x5D);
    std::thread caller([&] { EXPECT_EQ(first.Execute(prot.get()), oxOk); });
    // Wait until the request is on its way, then pause: the pause must not cut it.
    while (line.Line().FramesReceived() == 0) std::this_thread::yield();
    ASSERT_TRUE(prot->Pause(true));
    caller.join();
    EXPECT_EQ(Reply(first), (Bytes{0x5D, 0x06, 0x17}));

    // While paused a new request waits in the queue; the pause may touch the line.
    TOXcFunc second;
    second.SetCommand1(0x5A);
    std::atomic<bool> done{false};
    std::thread waiting([&] {
        EXPECT_EQ(second.Execute(prot.get()), oxOk);
        done = true;
    });
    EXPECT_EQ(line.Line().FramesReceived(), 1u);
    EXPECT_FALSE(done);
    ASSERT_TRUE(prot->Pause(false));
    waiting.join();
    EXPECT_EQ(Reply(second), (Bytes{0x5A, 0x02, 0x05, 0x11}));
}

TEST_F(ProtFixture, StopFailsEveryQueuedRequest) {
    Fault("delay 150");
    constexpr int Callers = 3;
    std::vector<int> results(Callers, -1);
    std::vector<std::thread> threads;
    for (int i = 0; i < Callers; ++i) {
        threads.emplace_back([&, i] {
            TOXcFunc f;
            f.SetCommand1(0x5D);
            results[static_cast<size_t>(i)] = f.Execute(prot.get());
        });
    }
    while (line.Line().FramesReceived() == 0) std::this_thread::yield();
    prot->Stop();
    for (auto& t : threads) t.join();
    // The request in flight completes; the ones still queued are not sent at all.
    EXPECT_EQ(std::count(results.begin(), results.end(), oxOk), 1);
    EXPECT_EQ(std::count(results.begin(), results.end(), oxNotCompleted), Callers - 1);
    EXPECT_EQ(line.Line().FramesReceived(), 1u);

    TOXcFunc late;
    late.SetCommand1(0x5D);
    EXPECT_EQ(late.Execute(prot.get()), oxNotCompleted);
}

TEST_F(ProtFixture, QueuedRequestsDoNotWaitForAWakeUp) {
    // Twenty requests from four threads against an answer that comes at once; a
    // thread that slept on its wake-up between queued requests would need seconds.
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            TOXcFunc f;
            for (int i = 0; i < 5; ++i) {
                f.SetCommand1(0x5D);
                EXPECT_EQ(f.Execute(prot.get()), oxOk);
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
}  // namespace ryvorn
