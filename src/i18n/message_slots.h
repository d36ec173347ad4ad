// Names for the catalogue slots the commands show, so a reader need not look the numbers up.
// The number is the slot in data/catalogue.json; the comment is its English text.
#pragma once

namespace korv {

enum Msg : int {
    MsgModuleNotConnected = 30,   // "Module not connected"
    MsgConnectedWithModule = 31,  // "Connected with module " (the module's name follows)
    MsgCableNotConnected = 33,    // "USB cable not connected"
    MsgCableConnected = 34,       // "USB cable connected"
    MsgResetCaption = 94,         // "Resetting the module"
    MsgResetQuestion = 95,        // "Are you sure to reset the module?"
    MsgResetInProgress = 96,      // "Module reset in progress - wait..."
    MsgResetSucceeded = 97,       // "Module reset succeeded"
    MsgResetFailed = 98,          // "Error while resetting the module!"
    MsgReadingModule = 110,       // "Module is being read ... "
    MsgWritingModule = 111,       // "Saving to the module ... "
    MsgVerifyingModule = 112,     // "Module is being verified ... "
    MsgCancel = 151,              // "Cancel"
    MsgPasswordChangeLabel = 152, // "Installer password" (change mode)
    MsgPasswordWriteButton = 150, // "Write to the module"
    MsgPasswordChange = 153,      // "Change": the change button and the panel's caption
    MsgPasswordOk = 154,          // "OK" (entry mode)
    MsgPasswordEntryLabel = 155,  // "Installer password" (entry mode)
    MsgPasswordSaved = 167,       // "Password has been saved to the module!"
    MsgWrongReader = 168,         // "   Lack of access - Wrong reader!   "
    MsgPasswordNotSaved = 169,    // "There was an error while changing password!"
    MsgOtherApplication = 210,    // "Use application proper for the connected device"
    MsgZadaTitle = 220,           // "Additional setting"
    MsgZadaModule = 221,          // "PEL-ZEL ZADA module"
    MsgLockOutput = 222,          // "ELOCK output"
    MsgLockTime = 223,            // "activated time (s):"
    MsgLockType = 224,            // "ELOCK output type"
    MsgLockElectric = 225,        // "Electric lock"
    MsgLockRelay = 226,           // "Relay"
    MsgLockReverse = 227,         // "Reverse"
    MsgSounds = 228,              // " Sounds"
};

} // namespace korv
