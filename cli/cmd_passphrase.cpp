// SPDX-License-Identifier: MIT
// The "passphrase" subcommand: the passphrase that scrambles program and recipe transfers,
// read and set through the controller's Encryption interface.

#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/field_output.h"
#include "cli/module_report.h"
#include "device/device_family.h"
#include "device/sbc_device.h"

namespace ryvorn::cli {

namespace {

// The eight bytes in quotes, so that blanks show; bytes outside printable ASCII as \xNN.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b >= 0x7F || c == '"' || c == '\\') {
            quoted += "\\x" + HexDigits(b, 2);
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

}  // namespace

void AddPassphraseCommand(CLI::App& app, CliContext& ctx) {
    auto json = std::make_shared<bool>(false);
    auto text = std::make_shared<std::string>();
    auto* passphrase = app.add_subcommand("passphrase", "Read or set the controller's encryption passphrase");
    passphrase->footer(
        "Without an argument, reads the passphrase and prints it in quotes:\n"
        "  Passphrase: \"        \"     (eight blanks: transfers are not scrambled)\n"
        "With an argument, sets the passphrase first: up to eight characters, right-aligned with\n"
        "blanks as the scrambler takes it (\"\" sets eight blanks). Setting it makes the controller\n"
        "clear ALL its programs and recipes. Then reads it back and prints it.\n"
        "Example: ryvorn-cli --udp 192.168.0.100 passphrase SECRET");
    passphrase->add_flag("--json", *json, "Print the passphrase as a JSON object");
    auto* value =
        passphrase->add_option("passphrase", *text, "The new passphrase (1 to 8 characters, or \"\")");
    passphrase->callback([&ctx, json, text, value] {
        const bool set = value->count() > 0;
        if (text->size() > 8) return ctx.Fail("passphrase: more than eight characters", 2);
        TLink* link = ctx.Link();
        if (!link) return;
        TOxSbcDevice device(link->Address(), link->Prot());
        TOxEncryption& encryption = device.Encryption();
        if (!RequirePresent(ctx, "passphrase", encryption, "Encryption")) return;
        if (set) {
            encryption.StorePassphrase(PassphraseFromText(*text));
            if (!RunOperation(ctx, "passphrase", encryption, &TOxEncryption::SetPassphrase)) return;
        }
        if (!RunOperation(ctx, "passphrase", encryption, &TOxEncryption::GetPassphrase)) return;
        const std::string current = PassphraseText(encryption.Passphrase());
        PrintFields({{"Passphrase", "passphrase", *json ? current : Quoted(current)}}, *json);
    });
}

}  // namespace ryvorn::cli
