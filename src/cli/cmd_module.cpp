// korv-cli module identify|count|page N|card: service diagnostics on the cable (info,
// password and reset are in cmd_module_session.cpp). Each opens the
// cable, makes one exchange and closes it again, as a command of the window does.
// Exit codes: 0 done, 1 the module failed the exchange or nothing was identified, 2 usage,
// 3 no cable or no driver.
#include "cli/cli_command.h"
#include "cli/module_session.h"
#include "cli/text_escape.h"
#include "link/ftdi.h"
#include "link/identification.h"
#include "link/port_control.h"

#include <charconv>
#include <ostream>

namespace korv::cli {

namespace {

constexpr int kExitModuleFailed = 1;

std::string Hex(const std::uint8_t* bytes, std::size_t count) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i)
            text += ' ';
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return count ? text : "none";
}

int IdentifyCurrentModule(const link::IdentifyReply& reply, std::ostream& out, std::ostream& err) {
    switch (link::ShapeOfCurrentModuleReply(reply)) {
    case link::ReplyShape::Whole:
        out << "kind: " << link::ModuleKindOf(reply) << '\n';
        return kExitDone;
    case link::ReplyShape::BadCheck:
        err << "korv-cli module: the identify reply's check byte is wrong\n";
        return kExitModuleFailed;
    case link::ReplyShape::Short:
    case link::ReplyShape::Silent:
        break;
    }
    err << "korv-cli module: the identify reply was cut short (" << reply.received << " of "
        << reply.bytes.size() << " bytes)\n";
    return kExitModuleFailed;
}

// The same look at the cable as the window's monitor takes (link::AskDevice), with the
// commands' wait, and every byte of it printed.
int Identify(link::TBEXFTDI& port, std::ostream& out, std::ostream& err) {
    const link::DeviceAnswer a = link::AskDevice(port, link::kCommandIdentifyWaitMs);
    out << "reply: " << Hex(a.reply.bytes.data(), a.reply.received) << '\n';
    if (!a.legacyAsked)
        return IdentifyCurrentModule(a.reply, out, err);

    if (a.furtherAsked)
        out << "further bytes: "
            << Hex(reinterpret_cast<const std::uint8_t*>(a.furtherBytes.data()),
                   a.furtherBytes.size())
            << '\n';
    out << "legacy reply: " << Hex(&a.legacy, a.legacy ? 1 : 0) << '\n';
    if (a.id.moduleName)
        out << "name: " << EscapeText(*a.id.moduleName) << '\n';
    switch (a.id.outcome) {
    case link::IdentifyOutcome::OtherFamily:
        out << "kind: RUF\n";
        return kExitDone;
    case link::IdentifyOutcome::LegacyModule:
        out << "kind: " << static_cast<char>(a.legacy) << '\n';
        return kExitDone;
    default:
        break;
    }
    if (a.furtherAsked)
        err << "korv-cli module: a device answered \"RUF\" but did not identify itself\n";
    else
        err << "korv-cli module: no module answered on the cable\n";
    return kExitModuleFailed;
}

int Count(link::TBEXFTDI& port, std::ostream& out, std::ostream& err) {
    int count = 0;
    if (port.LiczbaKart(count) != link::PortResult::Ok) {
        err << "korv-cli module: the module did not report its card count\n";
        return kExitModuleFailed;
    }
    out << count << '\n';
    return kExitDone;
}

int Page(link::TBEXFTDI& port, int pageno, std::ostream& out, std::ostream& err) {
    if (port.ReadPage(pageno) != link::PortResult::Ok) {
        err << "korv-cli module: page " << pageno
            << ": the module's reply was missing or garbled\n";
        return kExitModuleFailed;
    }
    static const char* const offsets[] = {"00", "10", "20", "30"};
    for (int row = 0; row < 4; ++row)
        out << offsets[row] << ": " << Hex(port.buf_out.data() + row * 16, 16) << '\n';
    return kExitDone;
}

int Card(link::TBEXFTDI& port, std::ostream& out, std::ostream& err) {
    err << "Hold a card to the reader (the module waits about 6 seconds).\n";
    std::string number;
    if (port.OdczytajKarte(number) != link::PortResult::Ok) {
        out << "no card\n";
        return kExitModuleFailed;
    }
    out << number << '\n';
    return kExitDone;
}

bool ParsePage(const std::string& text, int& pageno) {
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, pageno);
    return ec == std::errc() && p == end && pageno >= 0 && pageno < link::kPageCount;
}

} // namespace

int RunModule(const Args& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && (args[0] == "info" || args[0] == "password" || args[0] == "reset" ||
                          args[0] == "read" || args[0] == "write" || args[0] == "verify"))
        return RunModuleSession(args, out, err);
    int pageno = -1;
    const bool simple =
        args.size() == 1 && (args[0] == "identify" || args[0] == "count" || args[0] == "card");
    const bool page = args.size() == 2 && args[0] == "page" && ParsePage(args[1], pageno);
    if (!simple && !page) {
        err << kModuleUsage;
        return kExitUsage;
    }

    link::RealClock clock;
    link::TBEXFTDI port(clock);
    if (!port.DriverPresent()) {
        err << "korv-cli module: no driver for the USB cable\n";
        return kExitNoCable;
    }
    if (link::OpenPort(port) != link::PortResult::Ok) {
        err << "korv-cli module: USB cable not connected (" << port.DriverName() << ")\n";
        return kExitNoCable;
    }
    int rc;
    if (page)
        rc = Page(port, pageno, out, err);
    else if (args[0] == "identify")
        rc = Identify(port, out, err);
    else if (args[0] == "count")
        rc = Count(port, out, err);
    else
        rc = Card(port, out, err);
    link::ClosePort(port);
    return rc;
}

} // namespace korv::cli
