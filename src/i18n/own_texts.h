// Texts the program says that the message catalogue has no slot for. The catalogue's 231
// slots stay as they are; these come in Polish and English, and every other language gets
// the English text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace korv {

enum class OwnTextName {
    CardFileTooLarge,       // a save refused because readers refuse files above the limit
    VersionPageUnavailable, // the version panel could not get its page
    ModuleCountUnreadable,  // %1 unused: a read stopped before it emptied the register
    ModuleCountTooLarge,    // %1 the count the module reports
    CardsNotChecked,        // %1 how many cards a verify could not read
    CardNumberTooLarge,     // %1 number, %2 zone, %3 apartment of the first such card
    OnlyInModule,           // %1 zone, %2 apartment, %3 number, %4 B1 as 0 or 1
    OnlyInProgram,          // the same, for a card the module lacks
    CableInUse,             // the cable is open in another program
    LinesLeftOut,           // %1 how many card lines a load or merge left out
    ModuleStoppedAnswering, // %1 the page after which nothing came any more
    CardListNotChanged,     // added to a failed read's report
    RecordsHoldNoCard,      // %1 the records (RecordPlace, joined) inside the count
    RecordPlace,            // %1 page, %2 record 1..12
    PasswordErased,         // page 0 holds no valid password: the person sets one
    PasswordChangeUnknown,  // the change went unconfirmed and could not be checked
    ResetNotDone,           // the module's memory is as it was
    ResetPasswordNotKept,   // erased, but the password could not be written back
    ResetSettingsNotKept,   // reset with its password, but page 1 not written (ZADA)
    ResetUnknown,           // unconfirmed, and the module could not be read afterwards
    CancelButton,           // beside the progress of a read or a verify
    ReadCancelled,          // the person stopped a read: the register is as it was
    VerifyCancelled,        // the person stopped a verify before it saw every card
    WriteNotCancellable,    // beside the progress of a write
    ClosesAfterCommand,     // the window was closed while a write, reset or password ran
    PasswordRefused,        // the status line after the person cancelled the password panel
    UnsavedChangesQuestion, // before New, Open, Read or closing throw away unsaved work
    UnsavedChangesCaption,
    PartialReadQuestion, // %1 cards read, %2 the module's count, %3 the pages that failed
    PartialReadSave,     // %1 the file a Save would write over with a partial read
    ReplaceFileQuestion, // %1 the file Save as would write over
    VerifyPageError,     // followed by the page's number
    OpenDialogFilter,    // the open dialog's filters, "caption|pattern|..."
    PrintButton,         // the help and USB windows
    InstructionsLabel,   // the help window, before the link to the full instructions
    CardNumberNotHeld,   // %1 number: a card refused before it enters the register
    DescriptionNotHeld,  // %1 the characters a card file cannot carry, with blanks between
    ModuleMenu,          // the menu of the module commands, beside File
    GridName,            // what a screen reader calls the grid
    CardListName,        // and the card list
    GridCellCards,       // %1 apartment, %2 its card count: a grid cell to a screen reader
    GridCellNumber,      // %1 apartment, %2 its number to dial
    GridCellNoNumber,    // %1 apartment without a number to dial
    PasswordChangeItem,  // the Module menu's item, and what a screen reader calls Change
    // The journal of module work.
    JournalDeclined, // the command's question was answered No and nothing was done
    JournalDone,     // the command did all it was asked and said nothing (a write)
    JournalNoReport, // the command ended without a word and without doing all of it
    JournalOff,      // %1 the journal's file, %2 the system's reason
    JournalMenuItem, // the Info menu's item that opens it

    // Spreadsheets: File > Import from spreadsheet / Export to spreadsheet, korv-cli csv.
    SpreadsheetImportItem,
    SpreadsheetExportItem,
    SpreadsheetFilter, // the file dialogs' filters, "caption|pattern|..."
    SpreadsheetImportCaption,
    SpreadsheetExportCaption,
    SpreadsheetImportQuestion, // %1 file, %2 cards, %3 their apartments, %4 numbers to dial
    SpreadsheetEmpty,          // %1 file holding no rows of cards or numbers to dial
    SpreadsheetTooLarge,       // %1 file above the 1,000,000 bytes any file of ours may have
    SpreadsheetLinesRefused,   // %1 file, %2 how many lines; the lines follow
    SpreadsheetMergeRefused,   // %1 file; the line that refuses the merge follows
    SpreadsheetLine,           // %1 line number, %2 why it cannot be taken
    SpreadsheetQuoteNotClosed,
    SpreadsheetFieldCount,           // %1 the fields found
    SpreadsheetZone,                 // %1 the field
    SpreadsheetCardNotDigits,        // %1 the field
    SpreadsheetApartment,            // %1 the field
    SpreadsheetB1,                   // %1 the field
    SpreadsheetDialNumber,           // %1 the field
    SpreadsheetDialNumberConflict,   // %1 number, %2 apartment, %3 zone, %4 line, %5 its number
    SpreadsheetNoCard,               // a row without a card number
    SpreadsheetCardTwice,            // %1 number, %2 the line with it first
    SpreadsheetCardInRegister,       // %1 number, %2 apartment, %3 zone where registered
    SpreadsheetDialNumberInRegister, // %1 number, %2 apartment, %3 zone, %4 the register's
    SpreadsheetTooManyCards,

    // The printed register (File > Print register...)
    PrintRegisterItem,        // the File menu's item
    ReportTitle,              // the heading of every page
    ReportFile,               // %1 the register's file, or ReportNotSaved
    ReportNotSaved,           // in place of the file when the register was never saved
    ReportDate,               // %1 the date
    ReportNumberColumn,       // the caption over the card numbers
    ReportDescriptionColumn,  // the caption over the descriptions
    ReportZone,               // %1 zone
    ReportZoneContinued,      // %1 zone, at the top of a page that goes on with it
    ReportApartment,          // %1 apartment
    ReportApartmentContinued, // %1 apartment, at the top of a page that goes on with its cards
    ReportDialNumber,         // %1 the apartment's number to dial
    ReportZoneTotal,          // %1 zone, %2 its cards, %3 its apartments listed
    ReportGrandTotal,         // %1 cards, %2 apartments listed
    ReportNoCards,            // the one line of an empty register's page
    ReportPageNumber,         // %1 page, %2 pages
    ReportNotPrinted,         // the printer or the PDF file could not be started
    // Backup before a write.
    BackupQuestion,          // %1 the module's cards, %2 about how many seconds the backup takes
    BackupCaption,           // the question's caption
    BackupProgress,          // the progress label while the backup reads the module
    BackupNotTaken,          // %1 why (one of the Backup... reasons below): nothing was written
    BackupCountUnreadable,   // the module did not give its card count
    BackupCountTooLarge,     // %1 the count the module reports
    BackupPagesFailed,       // %1 the pages that could not be read
    BackupStoppedAnswering,  // %1 the page after which nothing came any more
    BackupRecordsHoldNoCard, // %1 the records (RecordPlace, joined)
    BackupCancelled,         // the person stopped the backup
    BackupNoFolder,          // the environment names no home for the user's data folder
    BackupNotSaved,          // %1 the file, %2 the system's reason
    BackupAfterWrite,        // %1 the cards in the backup, %2 its file: the write is done
    BackupAfterFailedWrite,  // the same after a write that did not finish
};

// The text in the language (0..5).
std::string OwnText(OwnTextName name, int language);

// The text in the language with %1, %2, ... replaced by the arguments in order.
std::string OwnText(OwnTextName name, int language, std::initializer_list<std::string> args);

// "The cards would make a file of N bytes ...", in the language.
std::string CardFileTooLargeText(std::uint64_t size, int language);

} // namespace korv
