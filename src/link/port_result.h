// What became of one operation of the cable port: opening the cable or one module request.
// Every such operation answers with one of these instead of a bare failure, so a caller (and a
// log) can tell a module that stayed silent from one that answered garbled or said no.
#pragma once

#include <string_view>

namespace korv::link {

enum class PortResult {
    // Done: the cable opened, or the request went out and its reply came whole, checked and
    // saying yes.
    Ok,
    // No usable cable driver was found when the port was made; nothing can be sent.
    NoDriver,
    // Open: no cable with the port's description is plugged in (or the driver cannot reach it).
    NoCable,
    // Open: the cable is there, but another program holds it open.
    CableInUse,
    // Open: the cable opened but would not take its settings (reset, purge, baud rate,
    // time-outs); it was closed again.
    SetupFailed,
    // A request on a cable that is not open.
    NotOpen,
    // The request itself is impossible: a page outside 0..511, a password of fewer than four
    // characters. Nothing was sent.
    BadArgument,
    // The request did not go out whole.
    SendFailed,
    // The driver failed while the reply was read.
    ReceiveFailed,
    // Nothing came before the time-out.
    NoReply,
    // Some bytes came, fewer than the reply has.
    ShortReply,
    // The reply came whole, but its check byte does not match its bytes.
    BadCheck,
    // A whole, well-formed reply that says no: a page write not taken, a reset not confirmed, a
    // password that differs from the module's.
    Refused,
    // The card reader answered that no card was held to it.
    NoCard,
};

// A short English text for logs and korv-cli.
constexpr std::string_view PortResultText(PortResult result) {
    switch (result) {
    case PortResult::Ok:
        return "done";
    case PortResult::NoDriver:
        return "no driver for the USB cable";
    case PortResult::NoCable:
        return "USB cable not connected";
    case PortResult::CableInUse:
        return "USB cable in use by another program";
    case PortResult::SetupFailed:
        return "USB cable would not take its settings";
    case PortResult::NotOpen:
        return "USB cable not open";
    case PortResult::BadArgument:
        return "request out of range";
    case PortResult::SendFailed:
        return "request not sent";
    case PortResult::ReceiveFailed:
        return "reply could not be read";
    case PortResult::NoReply:
        return "no reply";
    case PortResult::ShortReply:
        return "reply cut short";
    case PortResult::BadCheck:
        return "reply with a wrong check byte";
    case PortResult::Refused:
        return "refused by the module";
    case PortResult::NoCard:
        return "no card at the reader";
    }
    return "unknown result";
}

} // namespace korv::link
