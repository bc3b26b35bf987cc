// SPDX-License-Identifier: MIT
// The decoders of the data modules (display bands, indicator entries, I/O bit addressing,
// result stamps and marking, clock packed decimal, weigher scaling), the capacities of
// their data areas and the direct operations of views and watches.
#include <gtest/gtest.h>

#include <limits>

#include "device/sbc_device.h"
#include "tests/device/scripted_protocol.h"

namespace ryvorn {
namespace {

using testing::Bytes;
using S = TOxModuleStatus;

using testing::Join;

// A device whose replies a test queues; none queued: no reply.
struct Scripted : ::testing::Test {
    testing::ReplyQueue queue;
    std::deque<std::optional<Bytes>>& replies = queue.Replies;
    std::function<void(const Bytes&)> onRequest;  // runs while the request is on its way
    testing::ScriptedLink link{[this](int32_t, const Bytes& request) {
        if (onRequest) onRequest(request);
        return queue.Next();
    }};
    TOxSbcDevice device{0, link.Prot.get()};
    std::vector<Bytes> Requests() { return link.Protocol->TakeRequests(); }
};

using Display = Scripted;

TEST_F(Display, ColumnsDrawTheirBandLeastSignificantBitFirst) {
    TOxSbcUiModule& ui = device.UserInterface();
    const TDisplayBitmap& bitmap = ui.Display();
    ASSERT_EQ(bitmap.Pixel(5, 5), TDisplayBitmap::Background) << "green before the first read";
    EXPECT_EQ(TDisplayBitmap::Background, 0x00FF00u);

    // Band 2 (rows 16..23): column 0 lights row 16, column 1 row 23, column 127 the whole
    // band; two bytes beyond the last column are not drawn anywhere.
    Bytes columns(128, 0);
    columns[0] = 0x01;
    columns[1] = 0x80;
    columns[127] = 0xFF;
    ui.SetBand(2);
    replies = {Join({{0x78, 0x0B, 0x00, 0, 0, 1}, columns, {0xFF, 0xFF}})};
    ASSERT_TRUE(ui.ReadBand());
    ASSERT_EQ(ui.Status(), S::Ok);
    size_t dark = 0;
    for (int y = 0; y < TDisplayBitmap::Height; ++y) {
        for (int x = 0; x < TDisplayBitmap::Width; ++x) dark += bitmap.Pixel(x, y) == TDisplayBitmap::Dark;
    }
    EXPECT_EQ(dark, 10u);
    EXPECT_EQ(bitmap.Pixel(0, 16), TDisplayBitmap::Dark);
    EXPECT_EQ(bitmap.Pixel(0, 17), TDisplayBitmap::Background);
    EXPECT_EQ(bitmap.Pixel(1, 23), TDisplayBitmap::Dark);
    for (int y = 16; y < 24; ++y) EXPECT_EQ(bitmap.Pixel(127, y), TDisplayBitmap::Dark) << y;

    // A later read of the same band clears what it no longer shows.
    ui.SetBand(2);
    replies = {Join({{0x78, 0x0B, 0x00, 0, 0, 1}, Bytes(128, 0)})};
    ASSERT_TRUE(ui.ReadBand());
    EXPECT_EQ(bitmap.Pixel(0, 16), TDisplayBitmap::Background);
}

TEST_F(Display, AReplyWithoutColumnsUpdatesTheValueAndTheBandOnly) {
    TOxSbcUiModule& ui = device.UserInterface();
    const TDisplayBitmap::Pixels before = ui.Display().Copy();
    replies = {Bytes{0x78, 0x0B, 0x13, 0x00, 0x30, 0x39}};
    ASSERT_TRUE(ui.ReadBand());
    const TUiData d = ui.Snapshot();
    EXPECT_EQ(d.DisplayValue, 12345);
    EXPECT_EQ(d.Decimals, 3);
    EXPECT_EQ(d.DisplayFlags, 0x10);
    EXPECT_EQ(d.Band, 1);
    EXPECT_EQ(ui.Display().Copy(), before);
}

TEST_F(Display, APartialBandStartsAtItsFirstColumnAndStopsAtTheEdge) {
    TOxSbcUiModule& ui = device.UserInterface();
    replies = {Bytes{0x78, 0x0C, 0, 0, 0, 0, 126, 0x01, 0x02, 0xFF, 0xFF}};
    ASSERT_TRUE(ui.ReadPartialBand());
    ASSERT_EQ(ui.Status(), S::Ok);
    const TDisplayBitmap::Pixels pixels = ui.Display().Copy();
    const auto darkAt = [&](int x, int y) {
        return pixels[static_cast<size_t>(y * TDisplayBitmap::Width + x)] == 0;
    };
    EXPECT_TRUE(darkAt(126, 0));
    EXPECT_TRUE(darkAt(127, 1));
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), TDisplayBitmap::Dark), 2);
}

TEST_F(Display, AKeyPressedWhileAReadIsOnItsWayWaitsForTheNextRead) {
    TOxSbcUiModule& ui = device.UserInterface();
    ui.PressKey(0x21);
    onRequest = [&](const Bytes&) { ui.PressKey(0x33); };
    replies = {Bytes{0x78, 0x0B, 0, 0, 0, 0}, Bytes{0x78, 0x0B, 0, 0, 0, 0}};
    ASSERT_TRUE(ui.ReadBand());
    EXPECT_EQ(Requests(), std::vector<Bytes>{Bytes({0x78, 0x0B, 0x21, 0})});
    EXPECT_EQ(ui.Snapshot().Key, 0x33);
    onRequest = nullptr;
    ASSERT_TRUE(ui.ReadBand());
    EXPECT_EQ(Requests(), std::vector<Bytes>{Bytes({0x78, 0x0B, 0x33, 1})});
    EXPECT_EQ(ui.Snapshot().Key, 0) << "delivered once";
}

using Indicators = Scripted;

TEST_F(Indicators, EntriesCarryDecimalsAndFlagsBeforeASigned24BitValue) {
    const struct {
        Bytes entry;
        TIndicatorEntry decoded;
    } cases[] = {
        {{0x00, 0x00, 0x00, 0x00}, {0, 0, 0}},           {{0x07, 0x7F, 0xFF, 0xFF}, {8388607, 7, 0}},
        {{0xF8, 0x80, 0x00, 0x00}, {-8388608, 0, 0xF8}}, {{0x81, 0x00, 0x00, 0x01}, {1, 1, 0x80}},
        {{0xC2, 0xFF, 0xFF, 0xFF}, {-1, 2, 0xC0}},
    };
    const TBlockRange block[] = {{0, std::size(cases)}};
    device.Indicator().SetQueryBlocks(block);
    Bytes reply{0x78, 0x29, 0, 1, 0, 0, 0, std::size(cases)};
    for (const auto& c : cases) reply.insert(reply.end(), c.entry.begin(), c.entry.end());
    replies = {reply};
    ASSERT_TRUE(device.Indicator().Query());
    ASSERT_EQ(device.Indicator().Status(), S::Ok);
    const auto entries = device.Indicator().Snapshot().Blocks.at(0).Entries;
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(entries.at(i), cases[i].decoded) << i;
}

TEST_F(Indicators, ReadingOneLeavesTheQueryTableAlone) {
    TOxSbcIndicatorModule& indicator = device.Indicator();
    const TBlockRange table[] = {{0, 2}};
    indicator.SetQueryBlocks(table);
    int updates = 0;
    indicator.OnUpdate = [&](TOxModule&, uint8_t) { ++updates; };

    replies = {Bytes{0x78, 0x29, 0, 1, 0, 6, 0, 1, 0x92, 0xFF, 0xFF, 0x85}};
    EXPECT_EQ(indicator.ReadIndicator(7), (TIndicatorEntry{-123, 2, 0x90}));
    EXPECT_EQ(Requests(), std::vector<Bytes>{Bytes({0x78, 0x29, 0, 1, 0, 6, 0, 1})}) << "index 7 is entry 6";
    replies = {Bytes{0x78, 0x29, 0, 1, 0, 6, 0, 1, 0x92, 0xFF, 0xFF}};
    EXPECT_EQ(indicator.ReadIndicator(7), std::nullopt);
    EXPECT_EQ(indicator.Status(), S::DataError);
    EXPECT_EQ(indicator.ReadIndicator(0), std::nullopt);
    EXPECT_EQ(Requests().size(), 1u) << "nothing is sent for index 0";
    EXPECT_EQ(updates, 0);
    EXPECT_EQ(indicator.Snapshot().Blocks,
              MakeQueryTable<TIndicatorEntry>(table, TIndicatorData::MaxEntries));
}

TEST(IoAddressing, IoNumbersRunFromFirstNumberPlusOneAndBitZeroComesFirst) {
    TIoData io;
    io.Info = {16, 16, 64, 0, 0, 16, 32, 0, 0};
    const auto groups = io.KindGroups();
    EXPECT_EQ(groups, (std::vector<TBlockRange>{{0, 2}, {2, 2}, {4, 8}}));
    io.Groups = MakeQueryTable<uint8_t>(groups, TIoData::MaxStateBytes);
    io.Groups[0].Entries = {0x05, 0x80};                    // inputs 1, 3 and 16
    io.Groups[1].Entries = {0x01, 0x00};                    // output 17
    io.Groups[2].Entries = {0x10, 0, 0, 0, 0, 0, 0, 0x80};  // markers 37 and 96
    const struct {
        uint16_t number;
        std::optional<bool> state;
    } cases[] = {
        {0, std::nullopt}, {1, true},   {2, false},  {3, true},  {16, true}, {17, true},
        {18, false},       {32, false}, {33, false}, {37, true}, {96, true}, {97, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(io.State(c.number), c.state) << c.number;

    // The marker dialog's box 3 of row 17-24 (first marker number 16) is marker 19: bit 2 of
    // the markers' first state byte.
    io.Info = {16, 0, 8, 0, 0, 16, 16, 0, 0};
    io.Groups = MakeQueryTable<uint8_t>(io.KindGroups(), TIoData::MaxStateBytes);
    io.Groups[2].Entries = {0x04};
    EXPECT_EQ(io.State(19), true);
    EXPECT_EQ(io.State(18), false);
    EXPECT_EQ(io.State(17), false);
}

TEST(IoAddressing, GroupsCoverEveryBitUpToTheirCapacity) {
    TIoData io;
    // 12 inputs from 0 take two bytes; inputs from 8 start at byte 1.
    io.Info = {12, 8, 1000, 0, 8, 24, 32, 0, 0};
    EXPECT_EQ(io.KindGroups(), (std::vector<TBlockRange>{{1, 2}, {3, 1}, {4, 75}}))
        << "1000 markers would need 125 bytes: the group holds 75";
    io.Groups = MakeQueryTable<uint8_t>(io.KindGroups(), TIoData::MaxStateBytes);
    io.Groups[0].Entries = {0x01, 0x08};
    EXPECT_EQ(io.State(8), std::nullopt) << "below the first input";
    EXPECT_EQ(io.State(9), true);
    EXPECT_EQ(io.State(20), true);
    EXPECT_EQ(io.State(33 + 8 * 75), std::nullopt) << "a marker beyond what the group holds";
}

using IoModule = Scripted;

TEST_F(IoModule, ReadBitRefreshesOncePerTick) {
    TOxSbcIoModule& io = device.Io();
    const Bytes info{0x78, 0x14, 0, 16, 0, 16, 0, 8, 0, 0, 0, 0, 0, 16, 0, 32, 0, 0, 0, 0};
    const Bytes query{0x78, 0x15, 0, 3, 0, 0, 0, 2, 0, 2, 0, 2, 0, 4, 0, 1};
    const auto states = [&](Bytes s) { return Join({query, s}); };
    const Bytes infoRequest{0x78, 0x14};

    replies = {info, states({0x05, 0, 0, 0, 0x10})};
    EXPECT_EQ(io.ReadBit(3, 5), true);
    EXPECT_EQ(Requests(), (std::vector<Bytes>{infoRequest, query}))
        << "an empty table is set up from Info first";
    EXPECT_EQ(io.ReadBit(37, 5), true);
    EXPECT_EQ(io.ReadBit(2, 5), false);
    EXPECT_TRUE(Requests().empty()) << "one refresh per tick";

    replies = {states({0, 0, 0, 0, 0})};
    EXPECT_EQ(io.ReadBit(3, 6), false);
    EXPECT_EQ(Requests(), std::vector<Bytes>{query});
    replies = {states({0x04, 0, 0, 0, 0}), states({0, 0, 0, 0, 0})};
    EXPECT_EQ(io.ReadBit(3, -1), true);
    EXPECT_EQ(io.ReadBit(3, -1), false) << "-1 refreshes every time";
    EXPECT_EQ(Requests().size(), 2u);

    // A failed refresh is not taken for the tick's: the next read of the tick tries again.
    EXPECT_EQ(io.ReadBit(3, 7), std::nullopt);
    replies = {states({0x04, 0, 0, 0, 0})};
    EXPECT_EQ(io.ReadBit(3, 7), true);
    EXPECT_EQ(Requests().size(), 2u);
}

TEST_F(IoModule, ReadBitFailsWithoutInfo) {
    replies = {Bytes{0x78, 0x14, 0}};
    EXPECT_EQ(device.Io().ReadBit(1, 1), std::nullopt);
    EXPECT_EQ(Requests().size(), 1u) << "no Query after a failed Info";
}

TEST_F(IoModule, SwitchBitSendsOneNumberAndLeavesTheLists) {
    TOxSbcIoModule& io = device.Io();
    const uint16_t listed[] = {40, 41};
    ASSERT_TRUE(io.SetSetList(listed));
    int updates = 0;
    io.OnUpdate = [&](TOxModule&, uint8_t) { ++updates; };
    replies = {Bytes{'U'}, Bytes{'X'}};
    EXPECT_TRUE(io.SwitchBit(19, true));
    EXPECT_FALSE(io.SwitchBit(300, false));
    EXPECT_EQ(Requests(), (std::vector<Bytes>{{0x78, 0x16, 0, 1, 0, 19}, {0x78, 0x17, 0, 1, 0x01, 0x2C}}));
    EXPECT_EQ(updates, 0);
    EXPECT_EQ(io.Snapshot().SetList.Count, 2);
}

TEST_F(IoModule, ListsAndTablesKeepToTheirCapacities) {
    TOxSbcIoModule& io = device.Io();
    std::vector<uint16_t> numbers(18, 1);
    EXPECT_FALSE(io.SetSetList(numbers)) << "18 numbers";
    EXPECT_FALSE(io.SetResetList(numbers));
    numbers.pop_back();
    EXPECT_TRUE(io.SetSetList(numbers));
    EXPECT_EQ(io.Snapshot().SetList.Count, 17);

    std::vector<TBlockRange> groups(10, TBlockRange{0, 200});
    io.SetQueryGroups(groups);
    const TIoData d = io.Snapshot();
    ASSERT_EQ(d.Groups.size(), MaxQueryBlocks);
    for (const auto& g : d.Groups) EXPECT_EQ(g.Entries.size(), 75u);

    const TBlockRange big[] = {{0, 150}};
    device.Indicator().SetQueryBlocks(big);
    EXPECT_EQ(device.Indicator().Snapshot().Blocks.at(0).Entries.size(), 99u);
    const TBlockRange huge[] = {{0, 1000}};
    device.ExtRegister().SetQueryBlocks(huge);
    EXPECT_EQ(device.ExtRegister().Snapshot().Blocks.at(0).Entries.size(), 897u);
    // The request asks for what the table holds, so the reply can never overrun it.
    replies = {std::nullopt};
    device.Indicator().Query();
    EXPECT_EQ(Requests(), std::vector<Bytes>{Bytes({0x78, 0x29, 0, 1, 0, 0, 0, 99})});
}

using ExtRegisters = Scripted;

TEST_F(ExtRegisters, DirectReadTellsFloatsAndDirectWriteGoesToNumberMinusOne) {
    TOxSbcExtRegisterModule& ext = device.ExtRegister();
    replies = {Bytes{0x78, 0x1E, 0, 200, 0, 101, 0, 120}};
    ASSERT_TRUE(ext.Info());
    Requests();
    const Bytes onePointFive{0x3F, 0xC0, 0x00, 0x00};
    const auto reply = [&](uint16_t index) {
        return Join({{0x78, 0x1F, 0, 1, static_cast<uint8_t>(index >> 8), static_cast<uint8_t>(index), 0, 1},
                     onePointFive});
    };
    const struct {
        uint16_t number;
        bool isFloat;
    } cases[] = {{100, false}, {101, true}, {120, true}, {121, false}};
    for (const auto& c : cases) {
        replies = {reply(c.number - 1)};
        EXPECT_EQ(ext.ReadRegister(c.number), (TExtRegisterValue{1069547520, c.isFloat})) << c.number;
    }
    EXPECT_EQ(Requests().at(1), (Bytes{0x78, 0x1F, 0, 1, 0, 100, 0, 1}));

    // After the short Info no register is a float register.
    replies = {Bytes{0x78, 0x1E, 0, 200}, reply(100)};
    ASSERT_TRUE(ext.Info());
    EXPECT_EQ(ext.ReadRegister(101), (TExtRegisterValue{1069547520, false}));

    replies = {Bytes{'U'}, Bytes{'X'}};
    Requests();
    EXPECT_TRUE(ext.WriteRegister(5, 7));
    EXPECT_FALSE(ext.WriteRegister(5, -1));
    EXPECT_FALSE(ext.WriteRegister(0, 1));
    EXPECT_EQ(ext.ReadRegister(0), std::nullopt);
    EXPECT_EQ(Requests(), (std::vector<Bytes>{{0x78, 0x20, 0, 4, 0, 0, 0, 7},
                                              {0x78, 0x20, 0, 4, 0xFF, 0xFF, 0xFF, 0xFF}}));
    EXPECT_EQ(ext.Snapshot().WriteIndex, 0) << "the write slot is the views' own";
}

using Results = Scripted;

// Index, stamp (plain year), Tag, Value, Format, Unit: 20 bytes.
Bytes Slot(uint16_t index, Bytes stamp, int32_t tag, int32_t value, uint16_t format, uint16_t unit) {
    Bytes b{static_cast<uint8_t>(index >> 8), static_cast<uint8_t>(index)};
    b.insert(b.end(), stamp.begin(), stamp.end());
    for (uint32_t v : {static_cast<uint32_t>(tag), static_cast<uint32_t>(value)}) {
        for (int shift : {24, 16, 8, 0}) b.push_back(static_cast<uint8_t>(v >> shift));
    }
    for (uint16_t v : {format, unit}) {
        b.push_back(static_cast<uint8_t>(v >> 8));
        b.push_back(static_cast<uint8_t>(v));
    }
    return b;
}

TEST_F(Results, QueryStoresTheReturnedSlotsBelowTheSlotCount) {
    TOxSbcResultModule& result = device.Result();
    replies = {Bytes{0x78, 0x64, 3, 1}};
    ASSERT_TRUE(result.Info());
    result.SetSelectionMask(0xFFFF);
    Requests();

    // Slots 0, 2 and 3 returned; slot 3 lies beyond the slot count and brings no bytes.
    replies = {Join({{0x78, 0x65, 0x00, 0x0D},
                     Slot(7, {79, 12, 31, 23, 59, 58}, 1, -2, 0x0102, 4),
                     Slot(8, {80, 1, 2, 3, 4, 5}, 9, 12500, 1, 0)})};
    ASSERT_TRUE(result.Query());
    EXPECT_EQ(Requests(), std::vector<Bytes>{Bytes({0x78, 0x65, 0xFF, 0xFF})});
    ASSERT_EQ(result.Status(), S::Ok);
    TResultData d = result.Snapshot();
    EXPECT_EQ(d.ReturnedMask, 0x0005) << "the bit beyond the slot count is dropped";
    EXPECT_EQ(d.Slots[0], (TResultSlot{7, MakeDateTime(2079, 12, 31, 23, 59, 58), 1, -2, 0x0102, 4}));
    EXPECT_EQ(d.Slots[0].Decimals(), 2);
    EXPECT_EQ(d.Slots[2], (TResultSlot{8, MakeDateTime(1980, 1, 2, 3, 4, 5), 9, 12500, 1, 0}));

    // A stamp that does not exist makes the slot's time zero.
    replies = {Join({{0x78, 0x65, 0x00, 0x02}, Slot(9, {24, 2, 30, 10, 0, 0}, 0, 0, 0, 0)})};
    ASSERT_TRUE(result.Query());
    EXPECT_FALSE(result.Snapshot().Slots[1].Time.IsSet());

    // Counting the bit beyond the slot count for the length is a data error; nothing moves.
    d = result.Snapshot();
    replies = {Join({{0x78, 0x65, 0x00, 0x0D}, Bytes(60, 0)})};
    ASSERT_TRUE(result.Query());
    EXPECT_EQ(result.Status(), S::DataError);
    EXPECT_EQ(result.Snapshot(), d);
    replies = {Bytes{0x78, 0x65, 0}};
    ASSERT_TRUE(result.Query());
    EXPECT_EQ(result.Status(), S::DataError);
}

TEST_F(Results, MarkNamesTheReturnedSlotsAndTakesTheirMaskOrZero) {
    TOxSbcResultModule& result = device.Result();
    replies = {Bytes{0x78, 0x64, 16, 1}, Join({{0x78, 0x65, 0x80, 0x01},
                                               Slot(0x0102, {26, 1, 1, 0, 0, 0}, 0, 0, 0, 0),
                                               Slot(0x0A0B, {26, 1, 1, 0, 0, 0}, 0, 0, 0, 0)})};
    result.SetSelectionMask(0xFFFF);
    ASSERT_TRUE(result.Info());
    ASSERT_TRUE(result.Query());
    ASSERT_EQ(result.Status(), S::Ok);
    Requests();
    const struct {
        Bytes reply;
        S status;
        uint16_t acknowledged;
    } cases[] = {
        {{0x78, 0x66, 0x80, 0x01}, S::Ok, 0x8001},
        {{0x78, 0x66, 0x00, 0x00}, S::Ok, 0},
        {{0x78, 0x66, 0x00, 0x01}, S::DataError, 0},  // neither: kept from before
        {{0x78, 0x66, 0x80, 0x01, 0}, S::DataError, 0},
    };
    for (const auto& c : cases) {
        replies = {c.reply};
        EXPECT_TRUE(result.Mark());
        EXPECT_EQ(Requests(), std::vector<Bytes>{Bytes({0x78, 0x66, 0x80, 0x01, 0x01, 0x02, 0x0A, 0x0B})});
        EXPECT_EQ(result.Status(), c.status);
        EXPECT_EQ(result.Snapshot().AcknowledgedMask, c.acknowledged);
    }
}

TEST(ClockBcd, ReadClampsTheFieldsAndDropsDatesThatDoNotExist) {
    const struct {
        std::array<uint8_t, 6> bcd;
        TDateTime decoded;
    } cases[] = {
        {{0x25, 0x13, 0x40, 0x24, 0x61, 0x61}, MakeDateTime(2025, 1, 1, 0, 0, 0)},
        {{0x25, 0x00, 0x00, 0x23, 0x59, 0x59}, MakeDateTime(2025, 1, 1, 23, 59, 59)},
        {{0x49, 0x12, 0x31, 0x12, 0x30, 0x00}, MakeDateTime(2049, 12, 31, 12, 30, 0)},
        {{0x50, 0x06, 0x15, 0x08, 0x00, 0x00}, MakeDateTime(1950, 6, 15, 8, 0, 0)},
        {{0x99, 0x12, 0x31, 0x23, 0x59, 0x59}, MakeDateTime(1999, 12, 31, 23, 59, 59)},
        {{0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, MakeDateTime(2000, 1, 1, 0, 0, 0)},
        {{0x24, 0x02, 0x29, 0x00, 0x00, 0x00}, MakeDateTime(2024, 2, 29, 0, 0, 0)},
        {{0x23, 0x02, 0x29, 0x00, 0x00, 0x00}, TDateTime{}},
        {{0x24, 0x04, 0x31, 0x00, 0x00, 0x00}, TDateTime{}},
        {{0x00, 0x02, 0x30, 0x00, 0x00, 0x00}, TDateTime{}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeClock(c.bcd), c.decoded) << DateTimeText(c.decoded);
    }
    EXPECT_TRUE(DecodeClock(cases[0].bcd).IsSet());
    EXPECT_FALSE(DecodeClock(cases[7].bcd).IsSet());
}

TEST(ClockBcd, WriteSendsPackedDecimalWithTheYearsLastTwoDigits) {
    EXPECT_EQ(EncodeClock(MakeDateTime(2031, 12, 24, 23, 59, 58)),
              (std::array<uint8_t, 6>{0x31, 0x12, 0x24, 0x23, 0x59, 0x58}));
    EXPECT_EQ(EncodeClock(MakeDateTime(1999, 1, 2, 3, 4, 5)),
              (std::array<uint8_t, 6>{0x99, 0x01, 0x02, 0x03, 0x04, 0x05}));
    const TDateTime round = MakeDateTime(2007, 8, 9, 10, 11, 12);
    EXPECT_EQ(DecodeClock(EncodeClock(round)), round);
}

TEST(DateTime, OnlyExistingDatesAndTheTextForm) {
    EXPECT_TRUE(MakeDateTime(2000, 2, 29, 23, 59, 59).IsSet());
    for (const TDateTime& none : {MakeDateTime(1900, 2, 29, 0, 0, 0), MakeDateTime(2026, 13, 1, 0, 0, 0),
                                  MakeDateTime(2026, 1, 1, 24, 0, 0), MakeDateTime(2026, 1, 1, 0, 60, 0),
                                  MakeDateTime(2026, 0, 1, 0, 0, 0), MakeDateTime(2026, 257, 1, 0, 0, 0)}) {
        EXPECT_FALSE(none.IsSet()) << DateTimeText(none);
    }
    EXPECT_EQ(DateTimeText(MakeDateTime(2026, 3, 4, 5, 6, 7)), "2026-03-04 05:06:07");
    EXPECT_EQ(DateTimeText({}), "");
    EXPECT_EQ(ParseDateTimeText("2026-03-04 05:06:07"), MakeDateTime(2026, 3, 4, 5, 6, 7));
    for (const char* bad : {"2026-02-30 00:00:00", "2026-3-04 05:06:07", "2026-03-04T05:06:07",
                            "2026-03-04 05:06", "2026-03-04 05:06:07 ", "now"}) {
        EXPECT_EQ(ParseDateTimeText(bad), std::nullopt) << bad;
    }
}

TEST(WeigherScaling, ATenthHalvesAwayFromZeroThenTheStep) {
    constexpr int32_t Max = std::numeric_limits<int32_t>::max();
    const struct {
        int32_t raw, step, scaled;
    } read[] = {
        {1235, 0, 124}, {1234, 0, 123},      {-1235, 0, -124}, {-1234, 0, -123},
        {1235, 5, 125}, {1220, 5, 120},      {1240, 5, 125},   {-1235, 5, -120},  // (-124 + 2) / 5 truncated
        {0, 5, 0},      {Max, 0, 214748365},
    };
    for (const auto& c : read)
        EXPECT_EQ(ScaleWeigherValue(c.raw, c.step), c.scaled) << c.raw << " step " << c.step;
    const struct {
        int32_t value, step, raw;
    } written[] = {{124, 0, 1240}, {124, 5, 1250}, {122, 5, 1200},
                   {-3, 0, -30},   {Max, 0, Max},  {-Max, 0, -Max - 1}};
    for (const auto& c : written) {
        EXPECT_EQ(UnscaleWeigherValue(c.value, c.step), c.raw) << c.value << " step " << c.step;
    }
}

}  // namespace
}  // namespace ryvorn
