// SPDX-License-Identifier: MIT
// The "monitor" subcommand: the worker thread polling the controller for a while with
// the request flags of the named kinds raised, as the pages of the main window do.

#include <CLI/CLI.hpp>
#include <atomic>
#include <cstdio>
#include <map>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/worker_session.h"
#include "device/device_family.h"
#include "device/ext_register_module.h"
#include "device/fixed_point_text.h"
#include "device/indicator_module.h"
#include "device/io_module.h"
#include "device/module_status.h"
#include "device/result_module.h"
#include "device/rtc_module.h"
#include "device/system_interface_module.h"
#include "device/user_interface_module.h"
#include "device/weigher_module.h"

namespace ryvorn::cli {

namespace {

// The main window pages the indicator and extended-register queries in blocks of 50.
constexpr uint16_t PageSize = 50;

std::string Hex(std::span<const uint8_t> bytes) {
    std::string s;
    char t[4];
    for (uint8_t b : bytes) {
        std::snprintf(t, sizeof t, s.empty() ? "%02X" : " %02X", b);
        s += t;
    }
    return s;
}

std::string DateText(const TDateTime& t) {
    if (!t.IsSet()) return "no date";
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.Year, t.Month, t.Day, t.Hour, t.Minute,
                  t.Second);
    return text;
}

// One kind of data: how to start polling it (the flags a page raises), what to do after
// an update (an Info sets up the query and hands over to it), and the update's summary.
struct MonitorKind {
    const char* Name;
    TModuleSlot Slot;
    void (*Arm)(TOxSbcModule& module);
    // Called on the worker after an ok update; returns the summary of the update.
    std::string (*Updated)(TOxSbcModule& module, uint8_t function);
};

template <class M>
M& As(TOxSbcModule& m) {
    return static_cast<M&>(m);
}

const MonitorKind Kinds[] = {
    {"system", TModuleSlot::SysInterface, [](TOxSbcModule& m) { As<TOxSbcSysModule>(m).InfoRequest = true; },
     [](TOxSbcModule& m, uint8_t) {
         const auto d = As<TOxSbcSysModule>(m).Snapshot();
         return "resets " + std::to_string(d.Resets) + " alive " + std::to_string(d.AliveTime) + " s up " +
                std::to_string(d.UpTime) + " s";
     }},
    {"ui", TModuleSlot::UserInterface, [](TOxSbcModule& m) { As<TOxSbcUiModule>(m).ReadBandRequest = true; },
     [](TOxSbcModule& m, uint8_t) {
         const auto d = As<TOxSbcUiModule>(m).Snapshot();
         return "display " + ValToStr(d.DisplayValue, d.Decimals, 0) + " band " + std::to_string(d.Band);
     }},
    {"io", TModuleSlot::Io, [](TOxSbcModule& m) { As<TOxSbcIoModule>(m).InfoRequest = true; },
     [](TOxSbcModule& m, uint8_t function) -> std::string {
         auto& io = As<TOxSbcIoModule>(m);
         if (function == ofInfo) {
             io.SetKindGroups();
             io.InfoRequest = false;
             io.QueryRequest = true;
         }
         const auto d = io.Snapshot();
         if (function == ofInfo) {
             return "inputs " + std::to_string(d.InputSize()) + " outputs " + std::to_string(d.OutputSize()) +
                    " markers " + std::to_string(d.MarkerSize());
         }
         static const char* Names[] = {"inputs", "outputs", "markers"};
         std::string s;
         for (size_t g = 0; g < d.Groups.size() && g < 3; ++g) {
             s += (g ? " | " : "") + std::string(Names[g]) + " " + Hex(d.Groups[g].Entries);
         }
         return s;
     }},
    {"indicators", TModuleSlot::Indicator, [](TOxSbcModule& m) { As<TOxSbcIndicatorModule>(m).InfoRequest = true; },
     [](TOxSbcModule& m, uint8_t function) -> std::string {
         auto& ind = As<TOxSbcIndicatorModule>(m);
         if (function == ofInfo) {
             const TBlockRange page{0, std::min<uint16_t>(ind.Count(), PageSize)};
             ind.SetQueryBlocks({&page, 1});
             ind.InfoRequest = false;
             ind.QueryRequest = true;
             return "count " + std::to_string(ind.Count());
         }
         std::string s;
         for (const auto& block : ind.Snapshot().Blocks) {
             for (size_t i = 0; i < block.Entries.size(); ++i) {
                 const auto& e = block.Entries[i];
                 s += (s.empty() ? "" : " ") + std::to_string(block.First + i + 1) + "=" +
                      ValToStr(e.Value, e.Decimals, 0);
             }
         }
         return s;
     }},
    {"registers", TModuleSlot::ExtRegister,
     [](TOxSbcModule& m) { As<TOxSbcExtRegisterModule>(m).InfoRequest = true; },
     [](TOxSbcModule& m, uint8_t function) -> std::string {
         auto& reg = As<TOxSbcExtRegisterModule>(m);
         if (function == ofInfo) {
             const TBlockRange page{0, std::min<uint16_t>(reg.Count(), PageSize)};
             reg.SetQueryBlocks({&page, 1});
             reg.InfoRequest = false;
             reg.QueryRequest = true;
             return "count " + std::to_string(reg.Count());
         }
         std::string s;
         for (const auto& block : reg.Snapshot().Blocks) {
             for (size_t i = 0; i < block.Entries.size(); ++i) {
                 s += (s.empty() ? "" : " ") + std::to_string(block.First + i + 1) + "=" +
                      std::to_string(block.Entries[i]);
             }
         }
         return s;
     }},
    {"results", TModuleSlot::Result, [](TOxSbcModule& m) { As<TOxSbcResultModule>(m).InfoRequest = true; },
     [](TOxSbcModule& m, uint8_t function) -> std::string {
         auto& res = As<TOxSbcResultModule>(m);
         if (function == ofInfo) {
             res.SetSelectionMask(0xFFFF);
             res.InfoRequest = false;
             res.QueryRequest = true;
             return "slots " + std::to_string(res.SlotCount());
         }
         const auto d = res.Snapshot();
         std::string s = "pending";
         for (size_t i = 0; i < d.Slots.size(); ++i) {
             if (!(d.ReturnedMask & (1u << i))) continue;
             s += " #" + std::to_string(d.Slots[i].Index) + "=" + ValToStr(d.Slots[i].Value, d.Slots[i].Decimals(), 0);
         }
         return s;
     }},
    {"clock", TModuleSlot::RealTimeClock, [](TOxSbcModule& m) { As<TRtcModule>(m).ReadRequest = true; },
     [](TOxSbcModule& m, uint8_t) { return DateText(As<TRtcModule>(m).ClockRead()); }},
    {"weigher", TModuleSlot::Weigher, [](TOxSbcModule& m) { As<TOxSbcWeigherModule>(m).InfoRequest = true; },
     [](TOxSbcModule& m, uint8_t function) -> std::string {
         auto& w = As<TOxSbcWeigherModule>(m);
         if (function == ofInfo) {
             w.InfoRequest = false;
             w.ReadWithMask1Request = true;
             return w.Present() ? "present" : "not present";
         }
         const auto d = w.Snapshot();
         std::string s;
         for (size_t bit = 0; bit < d.Values.size(); ++bit) {
             if (d.ReadMask1 & (1u << bit)) s += (s.empty() ? "" : " ") + std::to_string(d.Values[bit]);
         }
         return s;
     }},
};

const MonitorKind* FindKind(const std::string& name) {
    for (const auto& k : Kinds) {
        if (name == k.Name) return &k;
    }
    return nullptr;
}

std::string KindNames() {
    std::string s;
    for (const auto& k : Kinds) s += (s.empty() ? "" : ", ") + std::string(k.Name);
    return s;
}

}  // namespace

void AddMonitorCommand(CLI::App& app, CliContext& ctx) {
    auto kinds = std::make_shared<std::vector<std::string>>();
    auto seconds = std::make_shared<double>(5);
    auto* monitor = app.add_subcommand("monitor", "Poll the controller with the worker thread for a while");
    monitor->add_option("kinds", *kinds, "What to poll: " + KindNames());
    monitor->add_option("--seconds", *seconds, "How long to poll")->default_val(5)->check(CLI::Range(0.1, 86400.0));
    monitor->footer(
        "Runs the worker thread as the application does: it identifies the controller, probes the\n"
        "System Interface every 2 s, and serves the request flags of the named kinds (with no kind:\n"
        "identification and the System Interface probe only). Every update prints one line\n"
        "  <kind>: <module> <function> <status>[: <values>]\n"
        "and the run ends with\n"
        "  cycles: C requests: R failures: F\n"
        "Example: ryvorn-cli --udp 192.168.0.100 monitor io indicators --seconds 10");
    monitor->callback([&ctx, kinds, seconds] {
        std::vector<const MonitorKind*> chosen;
        for (const auto& name : *kinds) {
            const MonitorKind* kind = FindKind(name);
            if (!kind) return ctx.Fail("monitor: unknown kind '" + name + "' (kinds: " + KindNames() + ")", 2);
            chosen.push_back(kind);
        }
        TLink* link = ctx.Link();
        if (!link) return;
        WorkerSession session(*link);
        TOxSbcDevice& device = session.Device();
        std::atomic<uint64_t> failures{0};
        auto print = [&session](std::string line) {
            // Printed on the main thread, in the order the worker reported.
            session.Invoker().Post([line = std::move(line)] { std::printf("%s\n", line.c_str()), std::fflush(stdout); });
        };
        device.SetOnIdentified([&](TOxSbcDevice& d) {
            d.SetIdentifyNeeded(false);
            print("identified: id code " + HexDigits(d.IdCode(), 4) + " at " + d.AddressText());
        });
        std::map<TModuleSlot, const MonitorKind*> bySlot;
        for (const MonitorKind* kind : chosen) bySlot[kind->Slot] = kind;
        if (!bySlot.count(TModuleSlot::SysInterface)) bySlot[TModuleSlot::SysInterface] = FindKind("system");
        for (const auto& entry : bySlot) {
            const MonitorKind* kind = entry.second;
            TOxSbcModule* module = device.ControllerModule(entry.first);
            if (!module) continue;
            const bool requested = std::find(chosen.begin(), chosen.end(), kind) != chosen.end();
            module->OnUpdate = [&, kind, requested](TOxModule& m, uint8_t function) {
                auto& sbc = static_cast<TOxSbcModule&>(m);
                const TOxModuleStatus status = m.Status();
                if (status != TOxModuleStatus::Ok) ++failures;
                // The System probe is cleared after a good Info, as the main window does.
                if (kind->Slot == TModuleSlot::SysInterface && status == TOxModuleStatus::Ok && !requested) {
                    As<TOxSbcSysModule>(sbc).InfoRequest = false;
                }
                std::string line = std::string(kind->Name) + ": ";
                if (status == TOxModuleStatus::Ok) {
                    line += m.Name() + " " + FunctionName(function) + " ok: " + kind->Updated(sbc, function);
                } else {
                    line += FailureReport(m.Name(), function, status);
                }
                print(std::move(line));
            };
        }
        for (const MonitorKind* kind : chosen) {
            if (TOxSbcModule* module = device.ControllerModule(kind->Slot)) kind->Arm(*module);
        }
        session.Start();
        session.WaitFor([] { return false; }, std::chrono::milliseconds(static_cast<int64_t>(*seconds * 1000)));
        session.Stop();
        session.Invoker().RunPending();
        std::printf("cycles: %llu requests: %llu failures: %llu\n",
                    static_cast<unsigned long long>(session.Worker().Cycles()),
                    static_cast<unsigned long long>(device.Exchanges()), static_cast<unsigned long long>(failures.load()));
    });
}

}  // namespace ryvorn::cli
