// The state the main window owns for the whole run, kept free of widgets so that commands can
// work on it in tests and in korv-cli.
#pragma once

#include "commands/connection_findings.h"
#include "core/card_register.h"
#include "core/register_fingerprint.h"
#include "link/zada_settings.h"

#include <string>

namespace korv {

struct AppState {
    TTablica tablica; // the card register

    // The register holds changes not yet written to a module.
    bool NeedSave = false;
    // Sciezka = path: the current card file.
    std::string Sciezka;
    // What the register held when it last matched a file (unsaved_changes.h); at start-up the
    // empty register, which is nothing to lose.
    RegisterFingerprint savedFingerprint = FingerprintOf(TTablica{});
    // The register holds a read that missed pages, kept by the person: a Save over the named
    // file asks first, since that file may hold the whole list.
    bool partialRead = false;

    int CurrentZone = 1;      // 1..4
    int CurrentApartment = 0; // 0..255

    // Who is on the cable and what the monitor shows of it.
    ConnectionFindings connection;
    bool AutoReadAdd = false;

    // A ZADA module's extra settings as the window's controls hold them: sent with page 1 of a
    // write, taken back from page 1 of a read or verify.
    link::ZadaSettings zada;
};

} // namespace korv
