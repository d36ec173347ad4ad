// korv-cli module info | password NEW | reset --yes | read OUT | write IN | verify IN, each
// with [--password NNNN]: the window's own bodies (the monitor tick, the password write, the
// memory reset, the transfers) over a Ui that answers from the command line. Like the window,
// everything but info first needs the module to accept the installer password.
#include "cli/cli_command.h"
#include "cli/cli_ui.h"
#include "cli/module_session.h"
#include "cli/text_escape.h"
#include "link/ftdi.h"
#include "transfer/connection_monitor.h"
#include "transfer/password_commands.h"
#include "transfer/transfer_session.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace korv::cli {

namespace {

bool FourDigits(const std::string& s) {
    return s.size() == 4 &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool SmallNumber(const std::string& s, int low, int high, int& value) {
    const char* end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, value);
    return ec == std::errc() && p == end && value >= low && value <= high;
}

bool IsTransfer(const std::string& command) {
    return command == "read" || command == "write" || command == "verify";
}

// Parses the arguments after the command word; false on anything it does not know.
bool Parse(const std::string& command, const Args& args, ModuleOptions& o) {
    const bool transfer = IsTransfer(command);
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : std::string();
        int n = 0;
        if (a == "--password" && hasValue && FourDigits(value))
            o.password = value;
        else if (a == "--yes" && (command == "reset" || command == "write")) {
            o.yes = true;
            continue;
        } else if (a == "--zone" && hasValue && command != "read" && transfer &&
                   SmallNumber(value, 1, 4, n))
            o.zone = n;
        else if (a == "--zada-time" && hasValue && command == "write" &&
                 SmallNumber(value, 0, 25, n))
            o.zadaTime = n;
        else if (a == "--zada-type" && hasValue && command == "write" &&
                 SmallNumber(value, 0, 2, n))
            o.zadaType = n;
        else if (a == "--zada-sounds" && hasValue && command == "write" &&
                 (value == "on" || value == "off"))
            o.zadaSoundsOn = value == "on";
        else if (command == "password" && o.newPassword.empty() && FourDigits(a)) {
            o.newPassword = a;
            continue;
        } else if (transfer && o.path.empty() && !a.empty() && a[0] != '-') {
            o.path = a;
            continue;
        } else
            return false;
        ++i; // the option's value
    }
    if (command == "password")
        return !o.newPassword.empty();
    if (command == "reset")
        return o.yes;
    if (transfer)
        return !o.path.empty();
    return command == "info";
}

const char* OutcomeWord(LinkOutcome outcome) {
    switch (outcome) {
    case LinkOutcome::CurrentModule:
        return "current";
    case LinkOutcome::Legacy:
        return "legacy";
    default:
        return "nothing";
    }
}

} // namespace

int RunModuleSession(const Args& args, std::ostream& out, std::ostream& err) {
    ModuleOptions o;
    if (args.empty() || !Parse(args[0], args, o)) {
        err << kModuleUsage;
        return kExitUsage;
    }
    const std::string& command = args[0];
    AppState state;
    if (IsTransfer(command))
        if (const int rc = PrepareTransfer(command, o, state, err); rc != kExitDone)
            return rc;
    link::RealClock clock;
    link::TBEXFTDI port(clock);
    if (!port.DriverPresent()) {
        err << "korv-cli module: no driver for the USB cable\n";
        return kExitNoCable;
    }
    state.Edit_haslo = o.password;
    CliUi ui(out, err, o.yes);
    ModuleContext ctx{state, ui, port};

    // One look at the cable, exactly as a tick of the window's monitor takes it.
    TimerCheckTimer(ctx);
    const LinkOutcome outcome = state.connection.outcome;
    if (outcome == LinkOutcome::NoCable) {
        err << "korv-cli module: USB cable not connected (" << port.DriverName() << ")\n";
        return kExitNoCable;
    }
    const bool current = outcome == LinkOutcome::CurrentModule;
    if (command == "info") {
        out << "outcome: " << OutcomeWord(outcome) << '\n';
        out << "name: " << EscapeText(state.ModuleName) << '\n';
        out << "kind: " << EscapeText(state.ModuleKind) << '\n';
        if (current)
            out << "password: " << (state.PasswordAccepted ? "accepted" : "refused") << '\n';
        if (current && state.PasswordAccepted && state.ModuleKind == link::kKindZada) {
            bool read = false;
            TransferSession(ctx, SessionCommand::Read,
                            [&] { read = port.ReadPage(1, state.ModuleKind, state.zada); });
            if (read)
                out << "zada: time " << state.zada.lockTime << " type " << state.zada.lockType
                    << " sounds " << (state.zada.soundsOn ? "on" : "off") << '\n';
            else
                err << "korv-cli module: page 1 with the ZADA settings could not be read\n";
        }
        if (outcome == LinkOutcome::Nothing || (current && !state.PasswordAccepted))
            return kExitRefused;
        return kExitDone;
    }

    if (!current) {
        err << "korv-cli module: no current module on the cable\n";
        return kExitRefused;
    }
    if (!state.PasswordAccepted) {
        err << "korv-cli module: the module refused the installer password\n";
        return kExitRefused;
    }
    if (IsTransfer(command))
        return RunTransfer(command, o, ctx, out, err);
    if (command == "password") {
        state.Edit_haslo = o.newPassword;
        Button_zapiszClick(ctx);
    } else {
        Button_reset_pamieciClick(ctx);
    }
    // The command's own box says how it went: information for success, error for failure.
    const auto& shown = ui.shownFlags();
    const bool succeeded = !shown.empty() && shown.back() == MbInformation;
    return succeeded ? kExitDone : kExitRefused;
}

} // namespace korv::cli
