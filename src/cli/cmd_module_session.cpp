// korv-cli module info | password NEW | reset --yes | read OUT | write IN | verify IN, each
// with [--password NNNN]: the window's own bodies (the monitor tick, the password write, the
// memory reset, the transfers) over a Ui that answers from the command line. Like the window,
// everything but info first needs the module to accept the installer password.
#include "cli/cli_command.h"
#include "cli/cli_ui.h"
#include "cli/module_session.h"
#include "cli/text_escape.h"
#include "commands/command_runner.h"
#include "commands/connection_monitor.h"
#include "commands/module_journal.h"
#include "commands/page_exchange.h"
#include "commands/password_check.h"
#include "commands/password_commands.h"
#include "commands/transfer_session.h"
#include "core/digits.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"
#include "link/ftdi.h"
#include "link/page_layout.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace korv::cli {

namespace {

bool FourDigits(const std::string& s) {
    return s.size() == 4 && AllDigits(s);
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
        else if (a == "--backup" && hasValue && command == "write" && !value.empty())
            o.backupPath = value;
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

const char* PasswordWord(PasswordCheck check) {
    switch (check) {
    case PasswordCheck::Accepted:
        return "accepted";
    case PasswordCheck::Refused:
        return "refused";
    case PasswordCheck::NoValidPassword:
        return "none (erased)";
    case PasswordCheck::NoAnswer:
        break;
    }
    return "unread";
}

// Why a module command cannot go on, for each way the password check did not accept.
const char* PasswordProblem(PasswordCheck check) {
    switch (check) {
    case PasswordCheck::NoValidPassword:
        return "the module holds no valid installer password (its memory is erased); "
               "give it one with: korv-cli module password NNNN";
    case PasswordCheck::NoAnswer:
        return "the module did not answer the installer password check";
    case PasswordCheck::Refused:
    case PasswordCheck::Accepted:
        break;
    }
    return "the module refused the installer password";
}

// Looks at the cable, like the window's ticks, until something is identified.
constexpr int kIdentifyLooks = 3;

} // namespace

int RunModuleSession(const Args& args, std::ostream& out, std::ostream& err) {
    link::RealClock clock;
    link::TBEXFTDI port(clock);
    return RunModuleSession(args, port, out, err);
}

int RunModuleSession(const Args& args, link::TBEXFTDI& port, std::ostream& out, std::ostream& err) {
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
    if (!port.DriverPresent()) {
        err << "korv-cli module: no driver for the USB cable\n";
        return kExitNoCable;
    }
    state.connection.Edit_haslo = o.password;
    // The window offers its password panel to an erased module; here the advice below is the
    // offer, with the command that gives it a password.
    state.connection.erasedPasswordOffered = true;
    CliUi ui(out, err, o.yes);
    ModuleContext ctx{state, ui, port};
    // The window's runner, here on this thread: the same one busy state and job kinds.
    CommandRunner runner(port);
    const auto run = [&](JobKind kind, const std::function<void()>& body) {
        runner.Start(kind, [&](link::TBEXFTDI&, const CancelFlag&) { body(); });
    };

    // A look at the cable, exactly as a tick of the window's monitor takes it. The window
    // looks again a second later; a single lost identify must not end the command here either.
    LinkOutcome outcome = LinkOutcome::Nothing;
    for (int look = 0; look < kIdentifyLooks && outcome == LinkOutcome::Nothing; ++look) {
        run(JobKind::MonitorTick, [&] { CheckConnection(ctx); });
        outcome = state.connection.view.outcome;
    }
    if (outcome == LinkOutcome::NoCable) {
        if (state.connection.view.cableInUse)
            err << "korv-cli module: " << OwnText(OwnTextName::CableInUse, English) << '\n';
        else
            err << "korv-cli module: USB cable not connected (" << port.DriverName() << ")\n";
        return kExitNoCable;
    }
    const bool current = outcome == LinkOutcome::CurrentModule;
    const PasswordCheck check = state.connection.passwordCheck;
    if (command == "info") {
        out << "outcome: " << OutcomeWord(outcome) << '\n';
        out << "name: " << EscapeText(state.connection.ModuleName) << '\n';
        out << "kind: " << EscapeText(state.connection.ModuleKind) << '\n';
        if (current)
            out << "password: " << PasswordWord(check) << '\n';
        if (current && state.connection.PasswordAccepted() &&
            state.connection.model->zadaSettings) {
            bool read = false;
            run(JobKind::Read, [&] {
                TransferSession(ctx, SessionCommand::Read,
                                [&] { read = ReadModulePage(ctx, link::kZadaSettingsPage); });
            });
            if (read)
                out << "zada: time " << state.zada.lockTime << " type " << state.zada.lockType
                    << " sounds " << (state.zada.soundsOn ? "on" : "off") << '\n';
            else
                err << "korv-cli module: page 1 with the ZADA settings could not be read\n";
        }
        if (outcome == LinkOutcome::Nothing || (current && !state.connection.PasswordAccepted()))
            return kExitRefused;
        return kExitDone;
    }

    if (!current) {
        err << "korv-cli module: no current module on the cable\n";
        return kExitRefused;
    }
    const SessionCommand session = command == "read"       ? SessionCommand::Read
                                   : command == "write"    ? SessionCommand::Write
                                   : command == "verify"   ? SessionCommand::Verify
                                   : command == "password" ? SessionCommand::Password
                                                           : SessionCommand::Reset;
    if (!PasswordLetsThrough(state, session)) {
        err << "korv-cli module: " << PasswordProblem(check) << '\n';
        return kExitRefused;
    }
    int rc = kExitRefused;
    // The window's journal of module work: the same line for the same command.
    ModuleJournal journal(ModuleJournal::DefaultPath());
    const auto journaled = [&](JobKind kind, const std::string& file,
                               const ModuleJournal::Body& body) {
        run(kind, [&] { journal.Run(kind, ctx, file, body); });
    };
    if (IsTransfer(command)) {
        const JobKind kind = command == "read"    ? JobKind::Read
                             : command == "write" ? JobKind::Write
                                                  : JobKind::Verify;
        journaled(kind, o.path, [&](ModuleContext& c) {
            rc = RunTransfer(command, o, c, out, err);
            // A read that wrote no file moved no cards anyone keeps.
            const bool done = rc == kExitDone;
            return ModuleJournal::Facts{
                kind == JobKind::Read && !done ? -1 : c.state.tablica.CardCount(), done};
        });
    } else if (command == "password") {
        state.connection.Edit_haslo = o.newPassword;
        journaled(JobKind::Password, {}, [&](ModuleContext& c) {
            rc = WriteInstallerPassword(c) == PasswordWriteResult::Saved ? kExitDone : kExitRefused;
            return ModuleJournal::Facts{-1, rc == kExitDone};
        });
    } else {
        journaled(JobKind::Reset, {}, [&](ModuleContext& c) {
            rc = ResetModuleMemory(c) == ResetResult::Done ? kExitDone : kExitRefused;
            return ModuleJournal::Facts{-1, rc == kExitDone};
        });
    }
    return rc;
}

} // namespace korv::cli
