// SPDX-License-Identifier: MIT
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "link/oxc_func.h"

namespace ryvorn::cli {

void AddRawCommand(CLI::App& app, CliContext& ctx) {
    auto words = std::make_shared<std::vector<std::string>>();
    auto* raw = app.add_subcommand("raw", "Send one payload (hexadecimal bytes) and print the reply payload");
    raw->add_option("bytes", *words, "Payload bytes, e.g. 5D or \"FA 10 02\"")->required();
    raw->callback([&ctx, words] {
        std::vector<uint8_t> payload;
        std::string error;
        if (!ParseHexBytes(*words, payload, error)) return ctx.Fail("raw: " + error, 2);
        if (payload.empty()) return ctx.Fail("raw: an empty payload", 2);
        TLink* link = ctx.Link();
        if (!link) return;
        // Exactly the path the modules take: one TOXcFunc through the protocol thread.
        TOXcFunc func(link->Address());
        func.SetCommand1(payload[0]);
        func.AddBytes(payload.data() + 1, payload.size() - 1);
        const int result = func.Execute(link->Prot());
        if (result != oxOk) {
            return ctx.Fail("raw: request failed: result " + std::to_string(result) + " (" + ExecResultText(result) +
                            ")");
        }
        std::printf("%s\n", FormatHexBytes(func.Payload().data(), func.ReplyLength()).c_str());
    });
}

}  // namespace ryvorn::cli
