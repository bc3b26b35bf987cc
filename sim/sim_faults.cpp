// SPDX-License-Identifier: MIT
#include "sim/sim_faults.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace ryvorn::sim {

namespace {

struct FaultSyntax {
    FaultKind Kind;
    int Numbers;
};

const std::map<std::string, FaultSyntax>& Syntax() {
    static const std::map<std::string, FaultSyntax> table = {
        {"notready", {FaultKind::NotReady, 1}},  {"gap", {FaultKind::Gap, 2}},
        {"badsum", {FaultKind::BadChecksum, 0}}, {"wrongaddr", {FaultKind::WrongAddress, 0}},
        {"empty", {FaultKind::EmptyBody, 0}},    {"oversize", {FaultKind::Oversize, 1}},
        {"silence", {FaultKind::Silence, 0}},    {"delay", {FaultKind::Delay, 1}},
        {"badescape", {FaultKind::BadEscape, 0}}, {"short", {FaultKind::ShortDatagram, 1}},
        {"foreign", {FaultKind::Foreign, 0}},    {"double", {FaultKind::Double, 0}},
        {"length", {FaultKind::Length, 1}},
    };
    return table;
}

bool ParseInt(const std::string& text, int& out) {
    if (text.empty() || text.size() > 7 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    out = std::stoi(text);
    return true;
}

}  // namespace

std::optional<Fault> ParseFault(const std::string& text, std::string& error) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    if (words.empty()) {
        error = "empty fault";
        return std::nullopt;
    }
    const auto it = Syntax().find(words[0]);
    if (it == Syntax().end()) {
        error = "unknown fault: " + words[0];
        return std::nullopt;
    }
    const int numbers = it->second.Numbers;
    if (words.size() < static_cast<size_t>(1 + numbers) || words.size() > static_cast<size_t>(2 + numbers)) {
        error = "wrong number of values for fault " + words[0];
        return std::nullopt;
    }
    Fault f{it->second.Kind};
    int values[2] = {0, 0};
    bool relative = false;
    for (int i = 0; i < numbers; ++i) {
        std::string word = words[static_cast<size_t>(1 + i)];
        int sign = 0;
        if (f.Kind == FaultKind::Length && !word.empty() && (word[0] == '+' || word[0] == '-')) {
            sign = word[0] == '-' ? -1 : 1;
            word.erase(0, 1);
        }
        if (!ParseInt(word, values[i])) {
            error = "bad number in fault " + text;
            return std::nullopt;
        }
        if (sign != 0) {
            values[i] *= sign;
            relative = true;
        }
    }
    f.A = values[0];
    f.B = relative ? 1 : values[1];
    if (f.Kind == FaultKind::NotReady) f.Count = f.A;
    if (words.size() == static_cast<size_t>(2 + numbers)) {
        const std::string& c = words.back();
        if (c == "*") {
            f.Count = -1;
        } else if (!ParseInt(c, f.Count)) {
            error = "bad count in fault " + text;
            return std::nullopt;
        }
    }
    return f;
}

std::vector<uint8_t> FillerPayload(size_t length) {
    std::vector<uint8_t> b(length);
    for (size_t i = 0; i < length; ++i) b[i] = static_cast<uint8_t>(0x20 + i % 64);
    return b;
}

std::vector<uint8_t> ApplyLength(std::vector<uint8_t> payload, const ReplyFaults& faults) {
    if (!faults.Length) return payload;
    const long target = faults.LengthRelative ? static_cast<long>(payload.size()) + *faults.Length : *faults.Length;
    payload.resize(static_cast<size_t>(std::clamp(target, 0L, 512L)), 0);
    return payload;
}

void SimFaults::Add(const Fault& fault) {
    std::lock_guard lock(Mutex_);
    if (fault.Count != 0) Faults_.push_back(fault);
}

void SimFaults::Clear() {
    std::lock_guard lock(Mutex_);
    Faults_.clear();
}

bool SimFaults::Empty() const {
    std::lock_guard lock(Mutex_);
    return Faults_.empty();
}

ReplyFaults SimFaults::TakeForReply() {
    std::lock_guard lock(Mutex_);
    ReplyFaults r;
    for (Fault& f : Faults_) {
        switch (f.Kind) {
            case FaultKind::NotReady: r.NotReady = true; break;
            case FaultKind::Gap: r.GapBefore = static_cast<size_t>(f.A); r.Gap = std::chrono::milliseconds(f.B); break;
            case FaultKind::BadChecksum: r.BadChecksum = true; break;
            case FaultKind::WrongAddress: r.WrongAddress = true; break;
            case FaultKind::EmptyBody: r.EmptyBody = true; break;
            case FaultKind::Oversize: r.Oversize = f.A; break;
            case FaultKind::Silence: r.Silence = true; break;
            case FaultKind::Delay: r.Delay = std::chrono::milliseconds(f.A); break;
            case FaultKind::BadEscape: r.BadEscape = true; break;
            case FaultKind::ShortDatagram: r.ShortDatagram = f.A; break;
            case FaultKind::Foreign: r.Foreign = true; break;
            case FaultKind::Double: r.Double = true; break;
            case FaultKind::Length: r.Length = f.A; r.LengthRelative = f.B != 0; break;
        }
        if (f.Count > 0) --f.Count;
    }
    Faults_.erase(std::remove_if(Faults_.begin(), Faults_.end(), [](const Fault& f) { return f.Count == 0; }),
                  Faults_.end());
    return r;
}

}  // namespace ryvorn::sim
