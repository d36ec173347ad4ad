// What the connection monitor shows: one row of its state table, kept in the state so that a
// tick changes only what its outcome touches and the window draws the whole row each time.
#pragma once

#include <optional>

namespace korv {

enum class Colour {
    Red,       // 255, 0, 0
    Yellow,    // 255, 255, 0
    Lime,      // 0, 255, 0
    Green,     // 0, 208, 0
    WindowText // the system's window-text colour
};

// The module group's two layouts: a ZADA module needs room for its extra settings.
enum class ModuleLayout { Full, Zada };
inline constexpr int kModuleGroupHeightFull = 470;
inline constexpr int kModuleGroupHeightZada = 220;
inline constexpr int kResetButtonTopFull = 492;
inline constexpr int kResetButtonTopZada = 250;

// How the last tick ended.
enum class LinkOutcome { NotYet, NoCable, CurrentModule, Legacy, Nothing };

struct ConnectionView {
    LinkOutcome outcome = LinkOutcome::NotYet;
    int cableMessage = 0;               // Pokaz_poloczenie: 33 or 34; 0 empty (before a tick)
    bool cableInUse = false;            // the cable is there, but another program holds it
    Colour cableColour = Colour::Red;   // Pokaz_poloczenie's background
    Colour labelColour = Colour::Red;   // LabelPolacz; its text follows ConnectionMessage
    bool infoPanel = false;             // "use the application of the connected device"
    bool pushPanels = false;            // Read, Save, Verify usable, captions not grey
    bool moduleGroup = true;            // Modul_ZEL enabled
    bool passwordButtons = true;        // Button_zmien_haslo, Button_reset_pamieci enabled
    bool passwordBox = false;           // Edit_haslo enabled
    std::optional<ModuleLayout> layout; // none: the start-up layout stays
    bool autoCheckBox = false;          // CheckBox_auto enabled
};

} // namespace korv
