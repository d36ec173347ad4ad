// The current modules the program serves, each described once: chosen from the identify reply
// when the monitor looks at the cable, and asked by every command instead of comparing the
// reply's letter again. A legacy module, a device of another family or a silent cable has no
// model, and takes no module command.
#pragma once

#include <cstdint>
#include <string_view>

namespace korv::link {

struct IdentifyReply;

struct ModuleModel {
    // Byte 0 of its identify reply.
    char kindLetter;
    // The name the connection label and korv-cli show.
    std::string_view name;
    // Page 1 ends with the extra settings (lock time, lock type, sounds) instead of free bytes:
    // read and written with every transfer, kept by a memory reset, shown in the ZADA controls.
    bool zadaSettings;
    // How long a memory reset keeps the module busy before it confirms.
    std::uint32_t resetWaitMs;
    // The kind in one word, for backup names (after "ZEL-") and the journal of module work:
    // letters only, so any file system takes it.
    std::string_view kindWord;
};

inline constexpr ModuleModel kFullModule{'F', "ZEL v7", false, 9000, "full"};
inline constexpr ModuleModel kZadaModule{'M', "PEL-ZEL-ZADA", true, 13000, "ZADA"};

// The model whose identify reply this is; none for anything else.
const ModuleModel* ModelOf(const IdentifyReply& reply);

} // namespace korv::link
