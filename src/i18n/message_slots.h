// Names for the catalogue slots the commands show, so a reader need not look the numbers up.
// The number is the slot in data/catalogue.json; the comment is its English text.
#pragma once

namespace korv {

enum Msg : int {
    MsgModuleNotConnected = 30,       // "Module not connected"
    MsgConnectedWithModule = 31,      // "Connected with module " (the module's name follows)
    MsgCableNotConnected = 33,        // "USB cable not connected"
    MsgCableConnected = 34,           // "USB cable connected"
    MsgReadPanel = 36,                // "Read"
    MsgWritePanel = 37,               // "Save"
    MsgVerifyPanel = 38,              // "Verify"
    MsgOneCard = 88,                  // " card" (after "1")
    MsgCards = 89,                    // " cards" (after any other count)
    MsgRangeCaption = 50,             // "Specify apartments range"
    MsgRangeQuestion = 51,            // "Specify range of apartments for cards removal:"
    MsgRangeFrom = 52,                // "From"
    MsgRangeTo = 53,                  // "To"
    MsgCardCaption = 58,              // "Card's properties"
    MsgInsertCard = 63,               // "Insert the card into the reader"
    MsgReadCardButton = 64,           // "Read card"
    MsgCardForApartment = 65,         // "Card for aparat number: " (the apartment follows)
    MsgAddButton = 79,                // "Add"
    MsgDeleteButton = 80,             // "Delete"
    MsgChangeButton = 81,             // "Change"
    MsgCardNumberLabel = 86,          // "Card number"
    MsgDescriptionLabel = 87,         // "Description"
    MsgResetCaption = 94,             // "Resetting the module"
    MsgResetQuestion = 95,            // "Are you sure to reset the module?"
    MsgResetInProgress = 96,          // "Module reset in progress - wait..."
    MsgResetSucceeded = 97,           // "Module reset succeeded"
    MsgResetFailed = 98,              // "Error while resetting the module!"
    MsgAutoReadAdd = 99,              // "Automatic read and add card"
    MsgHoldCardNotice = 107,          // "Close in the card..."
    MsgReadingModule = 110,           // "Module is being read ... "
    MsgWritingModule = 111,           // "Saving to the module ... "
    MsgVerifyingModule = 112,         // "Module is being verified ... "
    MsgAddQuestion = 115,             // "Are you sure to save this file?" (asked by Add file)
    MsgAddCaption = 116,              // "File is being added"
    MsgSaveQuestion = 117,            // "All settings will be overwritten. Continue?"
    MsgSaveCaption = 118,             // "Device reset" (the Save question's caption)
    MsgSendChangesQuestion = 130,     // "Do you want to send changes to the module"
    MsgLeavingCaption = 131,          // "ZEL - leaving the program"
    MsgAccept = 141,                  // "Accept"
    MsgDialogCancel = 142,            // "Cancel" (the card and range dialogs)
    MsgCancel = 151,                  // "Cancel"
    MsgPasswordChangeLabel = 152,     // "Installer password" (change mode)
    MsgPasswordWriteButton = 150,     // "Write to the module"
    MsgPasswordChange = 153,          // "Change": the change button and the panel's caption
    MsgPasswordOk = 154,              // "OK" (entry mode)
    MsgPasswordEntryLabel = 155,      // "Installer password" (entry mode)
    MsgErrorOnPage = 165,             // "Error on page " (the page number follows)
    MsgPasswordSaved = 167,           // "Password has been saved to the module!"
    MsgWrongReader = 168,             // "   Lack of access - Wrong reader!   "
    MsgPasswordNotSaved = 169,        // "There was an error while changing password!"
    MsgWrongFile = 176,               // "Wrong file" (followed by "!" or "_v2!")
    MsgNotWrittenWrongPassword = 178, // "    No write to the module! - Incorrect password   "
    MsgVerifyCaption = 187,           // "Verify module"
    MsgCountsDiffer = 188,            // "There is a different number of cards in module memory!"
    MsgVerifySucceeded = 189,         // "Verification succeeded!"
    MsgSaveFilter = 190,              // "Module ZEL (*.zel)|*.zel"
    MsgDifferencesFor = 191,          // "There are differencies for " (count, " card(s)", "!")
    MsgAddingCards = 192,             // "Adding cards from file"
    MsgNumberUsed = 193,        // "There is a card in the file that has a number already used!"
    MsgTooManyCards = 195,      // "There can't be more then 6144 cards in the module!"
    MsgAddingCardCaption = 194, // "Adding card"
    MsgCardAssignedTo = 196,    // "This card is already assigned to apartment no. "
    MsgInZone = 197,            // " in zone "
    MsgReadingCard = 198,       // "Reading card"
    MsgCardNotAssigned = 199,   // "This card is not assigned yet."
    MsgCardNotDetected = 200,   // "Card not detected"
    MsgOtherApplication = 210,  // "Use application proper for the connected device"
    MsgConflictFailed = 217,    // "Adding cards from file operation failed!"
    MsgZadaTitle = 220,         // "Additional setting"
    MsgZadaModule = 221,        // "PEL-ZEL ZADA module"
    MsgLockOutput = 222,        // "ELOCK output"
    MsgLockTime = 223,          // "activated time (s):"
    MsgLockType = 224,          // "ELOCK output type"
    MsgLockElectric = 225,      // "Electric lock"
    MsgLockRelay = 226,         // "Relay"
    MsgLockReverse = 227,       // "Reverse"
    MsgSounds = 228,            // " Sounds"
};

} // namespace korv
