// SPDX-License-Identifier: MIT
#include "sim/sim_commands.h"

#include <sstream>

namespace ryvorn::sim {

std::string RunSimCommand(const std::string& line, SimController& controller, SimFaults& faults) {
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    std::string rest;
    std::getline(in, rest);
    if (verb == "fault") {
        std::string error;
        const auto f = ParseFault(rest, error);
        if (!f) return "error: " + error;
        faults.Add(*f);
        return "ok";
    }
    if (verb == "clear") {
        faults.Clear();
        return "ok";
    }
    if (verb == "identity") {
        std::istringstream settings(rest);
        std::lock_guard lock(controller.Mutex());
        for (std::string s; settings >> s;) {
            std::string error;
            if (!ApplyIdentitySetting(controller.Identity(), s, error)) return "error: " + error;
        }
        return "ok";
    }
    if (verb == "stats") return "stats requests=" + std::to_string(controller.RequestsHandled());
    Words words;
    std::istringstream all(line);
    for (std::string w; all >> w;) words.push_back(w);
    if (auto answer = controller.Command(words)) return *answer;
    return "error: unknown command: " + verb;
}

}  // namespace ryvorn::sim
