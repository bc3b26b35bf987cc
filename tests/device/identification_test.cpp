// SPDX-License-Identifier: MIT
// The device's identification cycle, request by request, against the simulated controller.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "device/sbc_device.h"
#include "sim/sim_controller.h"
#include "sim/sim_ethernet.h"
#include "tests/device/scripted_protocol.h"

namespace ryvorn {
namespace {

using testing::Bytes;
using Cycle = std::vector<Bytes>;

const Bytes Id{0x5D}, Serial{0x5E, 0x08}, Version{0x5A}, EthernetPresence{0x61, 0x00},
    EncryptionPresence{0x62, 0x00}, GetPassphrase{0x62, 0x01};

struct Identification : ::testing::Test {
    sim::SimController controller;
    sim::SimFaults faults;
    std::set<Bytes> unanswered;      // requests the controller ignores
    std::map<Bytes, Bytes> replies;  // and those it answers otherwise
    testing::ScriptedLink link{[this](int32_t, const Bytes& request) -> std::optional<Bytes> {
        if (unanswered.count(request)) return std::nullopt;
        if (const auto it = replies.find(request); it != replies.end()) return it->second;
        return controller.Reply(request, faults.TakeForReply());
    }};
    TOxSbcDevice device{0, link.Prot.get()};
    int identified = 0;
    int afterBoot = 0;

    void SetUp() override {
        device.SetOnIdentified([this](TOxSbcDevice& d) {
            ++identified;
            d.SetIdentifyNeeded(false);
        });
        device.SetOnAfterBoot([this](TOxSbcDevice&) { ++afterBoot; });
    }
    Cycle Run() {
        const bool sent = device.Process();
        Cycle requests = link.Protocol->TakeRequests();
        EXPECT_EQ(sent, !requests.empty()) << "Process tells whether it sent anything";
        return requests;
    }
    void Fault(const std::string& text) {
        std::string error;
        const auto f = sim::ParseFault(text, error);
        ASSERT_TRUE(f) << error;
        faults.Add(*f);
    }
};

TEST_F(Identification, AnAnsweringControllerIsIdentifiedInOneCycleThenPolled) {
    EXPECT_EQ(Run(), (Cycle{Id, Serial, Version, EthernetPresence, EncryptionPresence}));
    EXPECT_EQ(afterBoot, 1);
    EXPECT_EQ(identified, 1);
    EXPECT_EQ(device.IdCode(), 0x0617);
    EXPECT_EQ(device.SerialNumber(), 0x00123456u);
    EXPECT_EQ(device.Version(), 0x0205);
    EXPECT_EQ(device.Build(), 0x11);
    EXPECT_TRUE(device.Ethernet().Present());
    EXPECT_TRUE(device.Encryption().Present());
    // Polling: nothing flagged, nothing sent; a raised flag is served.
    EXPECT_EQ(Run(), Cycle{});
    device.Encryption().GetPassphraseRequest = true;
    EXPECT_EQ(Run(), Cycle{GetPassphrase});
    EXPECT_EQ(identified, 1);
    EXPECT_EQ(afterBoot, 1);
}

TEST_F(Identification, WithoutAHandlerPollingStartsInTheNextCycle) {
    device.SetOnIdentified(nullptr);
    EXPECT_EQ(Run(), (Cycle{Id, Serial, Version, EthernetPresence, EncryptionPresence}));
    EXPECT_FALSE(device.IdentifyNeeded());
    device.Encryption().GetPassphraseRequest = true;
    EXPECT_EQ(Run(), Cycle{GetPassphrase});
    EXPECT_FALSE(device.Encryption().GetPassphraseRequest) << "answered, and nobody listens";
    EXPECT_EQ(Run(), Cycle{});
}

// A silent controller and one whose every reply has the wrong length are treated alike:
// the alive counter thins the requests out, the presence checks give up after five
// attempts, the id code is asked for in every cycle, and nothing is polled.
class IdentificationWithoutAnswer : public Identification,
                                    public ::testing::WithParamInterface<const char*> {};

INSTANTIATE_TEST_SUITE_P(Faults, IdentificationWithoutAnswer,
                         ::testing::Values("silence *", "length +1 *", "length -1 *"));

TEST_P(IdentificationWithoutAnswer, SequenceOfRequestsPerCycle) {
    Fault(GetParam());
    device.Encryption().GetPassphraseRequest = true;
    const std::vector<Cycle> expected = {
        {Id, Serial, Version, EthernetPresence, EncryptionPresence},  // alive 5 → 2
        {Id, Serial, EthernetPresence, EncryptionPresence},           // → 0
        {Id, EthernetPresence, EncryptionPresence},
        {Id, EthernetPresence, EncryptionPresence},
        {Id, EthernetPresence, EncryptionPresence},  // the fifth and last presence attempts
        {Id},
        {Id},
    };
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(Run(), expected[i]) << "cycle " << i + 1;
    EXPECT_EQ(identified, 0);
    EXPECT_EQ(device.IdCode(), 0);
    EXPECT_EQ(device.System().Status(), std::string(GetParam()) == "silence *"
                                            ? TOxModuleStatus::CommunicationError
                                            : TOxModuleStatus::DataError);
    EXPECT_FALSE(device.Ethernet().PresenceCheckPending());
    EXPECT_FALSE(device.Encryption().Present());

    // The controller answers at last: it is identified, gets presence checks again, and
    // the flag raised meanwhile is served.
    faults.Clear();
    EXPECT_EQ(Run(), (Cycle{Id, Serial, Version, EthernetPresence, EncryptionPresence, GetPassphrase}));
    EXPECT_EQ(identified, 1);
    EXPECT_TRUE(device.Encryption().Present());
    EXPECT_EQ(Run(), Cycle{});
}

TEST_F(Identification, AControllerThatDoesNotGiveItsSerialNumberIsNotIdentified) {
    unanswered = {Serial};
    EXPECT_EQ(Run(), (Cycle{Id, Serial, Version, EthernetPresence, EncryptionPresence}));
    EXPECT_EQ(device.IdCode(), 0x0617);  // shown already
    EXPECT_EQ(device.SerialNumber(), 0u);
    EXPECT_EQ(device.Version(), 0);
    // Asked for once a cycle, also after the module stopped being alive, so that a
    // controller that recovers is still identified.
    for (int cycle = 2; cycle <= 8; ++cycle) EXPECT_EQ(Run(), Cycle{Serial}) << "cycle " << cycle;
    EXPECT_FALSE(device.System().IsAlive());
    EXPECT_EQ(identified, 0);
    unanswered.clear();
    EXPECT_EQ(Run(), (Cycle{Serial, EthernetPresence, EncryptionPresence}));
    EXPECT_EQ(identified, 1);
    EXPECT_EQ(device.SerialNumber(), 0x00123456u);
}

TEST_F(Identification, AControllerWithoutEthernetIsAskedFiveTimesAndFlagsAreDropped) {
    {
        std::lock_guard lock(controller.Mutex());
        controller.Ethernet().Present = false;  // silent on interface 97
    }
    device.SetOnIdentified(nullptr);
    device.Ethernet().InformationRequest = true;
    EXPECT_EQ(Run(), (Cycle{Id, Serial, Version, EthernetPresence, EncryptionPresence}));
    // Ethernet runs only while identifying: identify again, and again.
    for (int attempt = 2; attempt <= 5; ++attempt) {
        EXPECT_TRUE(device.Ethernet().InformationRequest);
        device.SetIdentifyNeeded(true);
        EXPECT_EQ(Run(), Cycle{EthernetPresence}) << "attempt " << attempt;
    }
    EXPECT_FALSE(device.Ethernet().InformationRequest) << "no check pending, not present: every flag cleared";
    device.SetIdentifyNeeded(true);
    EXPECT_EQ(Run(), Cycle{});
}

TEST_F(Identification, APresenceReplyOtherThanUEndsTheCheckAReplyOfTheWrongLengthDoesNot) {
    device.SetOnIdentified(nullptr);
    device.Ethernet().InformationRequest = true;
    replies[EthernetPresence] = {'U', 'U'};
    replies[EncryptionPresence] = {'X'};
    EXPECT_EQ(Run(), (Cycle{Id, Serial, Version, EthernetPresence, EncryptionPresence}));
    EXPECT_TRUE(device.Ethernet().PresenceCheckPending());
    EXPECT_EQ(device.Ethernet().CheckCounter(), 4);
    EXPECT_TRUE(device.Ethernet().InformationRequest);
    EXPECT_FALSE(device.Encryption().PresenceCheckPending());
    EXPECT_FALSE(device.Encryption().Present());
    // Ethernet finds a "U" on its second attempt and serves its flag at once.
    replies[EthernetPresence] = {'U'};
    device.SetIdentifyNeeded(true);
    EXPECT_EQ(Run(), (Cycle{EthernetPresence, {0x61, 0x01}}));
    EXPECT_FALSE(device.Ethernet().InformationRequest);
    // Encryption, absent, is never asked again; its flags wait unserved.
    device.Encryption().GetPassphraseRequest = true;
    EXPECT_EQ(Run(), Cycle{});
    EXPECT_TRUE(device.Encryption().GetPassphraseRequest);
}

TEST_F(Identification, ANewAddressIdentifiesTheControllerThereAfresh) {
    // Two controllers on one bus: only the one at address 2 answers as 0x0503.
    sim::SimController second(
        sim::SimIdentity{.IdCode = 0x0503, .Version = 0x0101, .Build = 2, .SerialNumber = 77});
    testing::ScriptedLink bus{[&](int32_t address, const Bytes& request) -> std::optional<Bytes> {
        if (address == 1) return controller.Handle(request);
        if (address == 2) return second.Handle(request);
        return std::nullopt;
    }};
    TOxSbcDevice dev(1, bus.Prot.get());
    int afterBoots = 0;
    dev.SetOnAfterBoot([&](TOxSbcDevice&) { ++afterBoots; });
    dev.Process();
    ASSERT_EQ(dev.IdCode(), 0x0617);
    ASSERT_FALSE(dev.IdentifyNeeded());
    bus.Protocol->TakeRequests();

    // The same address repeats the identification from what System knows: no traffic.
    dev.SetAddress(1);
    EXPECT_TRUE(dev.IdentifyNeeded());
    EXPECT_EQ(dev.IdCode(), 0);
    dev.Process();
    EXPECT_EQ(bus.Protocol->TakeRequests(), Cycle{});
    EXPECT_EQ(dev.IdCode(), 0x0617);
    EXPECT_EQ(afterBoots, 1);

    // Another address clears the identity first: none of the old values is copied.
    dev.SetAddress(2);
    dev.Process();
    EXPECT_EQ(afterBoots, 2);
    EXPECT_EQ(bus.Protocol->TakeRequests(),
              (Cycle{Id, Serial, Version, EthernetPresence, EncryptionPresence}));
    EXPECT_EQ(dev.IdCode(), 0x0503);
    EXPECT_EQ(dev.SerialNumber(), 77u);
    EXPECT_EQ(dev.Version(), 0x0101);
    EXPECT_EQ(dev.Build(), 2);
    EXPECT_EQ(dev.AddressText(), "2");
}

TEST_F(Identification, AnIdentityChangeIsSeenOnceTheIdentityIsReset) {
    Run();
    ASSERT_EQ(device.IdCode(), 0x0617);
    {
        std::lock_guard lock(controller.Mutex());
        controller.Identity() =
            sim::SimIdentity{.IdCode = 0x0622, .Version = 0x0300, .Build = 9, .SerialNumber = 5};
    }
    // The identification is taken once: polling does not ask again.
    EXPECT_EQ(Run(), Cycle{});
    EXPECT_EQ(device.IdCode(), 0x0617);
    device.ResetIdentity();
    EXPECT_EQ(Run(), (Cycle{Id, Serial, Version, EthernetPresence, EncryptionPresence}));
    EXPECT_EQ(afterBoot, 2);
    EXPECT_EQ(identified, 2);
    EXPECT_EQ(device.IdCode(), 0x0622);
    EXPECT_EQ(device.SerialNumber(), 5u);
}

TEST_F(Identification, CancelAllClearsTheIdentityInTheNextCycle) {
    Run();
    device.CancelAll();
    EXPECT_TRUE(device.ResetPending());
    EXPECT_EQ(Run(), (Cycle{EncryptionPresence})) << "polling, with fresh presence checks";
    EXPECT_EQ(afterBoot, 2);
    EXPECT_EQ(device.System().IdCode(), 0);
    EXPECT_TRUE(device.System().IsAlive());
}

}  // namespace
}  // namespace ryvorn
