#include "i18n/own_texts.h"

#include "i18n/catalogue.h"

namespace korv {

namespace {

struct Pair {
    const char* polish;
    const char* english;
};

Pair Texts(OwnTextName name) {
    switch (name) {
    case OwnTextName::CardFileTooLarge:
        return {"Karty dałyby plik o wielkości %1 bajtów, a plik kart może mieć najwyżej "
                "1 000 000 bajtów. Niczego nie zapisano.",
                "The cards would make a file of %1 bytes, and a card file may hold at most "
                "1,000,000 bytes. Nothing was saved."};
    case OwnTextName::VersionPageUnavailable:
        return {"Nie udało się pobrać strony z informacją o wersji.",
                "The version information page could not be loaded."};
    case OwnTextName::ModuleCountUnreadable:
        return {"Odczyt modułu nie powiódł się: moduł nie podał liczby kart. Lista kart nie "
                "została zmieniona.",
                "Reading the module failed: the module did not report how many cards it holds. "
                "The card list was not changed."};
    case OwnTextName::ModuleCountTooLarge:
        return {"Moduł podaje %1 kart, więcej niż może pomieścić (6144). Brane są tylko "
                "pierwsze 6144.",
                "The module reports %1 cards, more than it can hold (6144). Only the first 6144 "
                "are taken."};
    case OwnTextName::CardsNotChecked:
        return {"Nie sprawdzono kart, bo nie udało się odczytać ich stron: %1.",
                "Cards not checked because their pages could not be read: %1."};
    case OwnTextName::CardNumberTooLarge:
        return {"Karta %1 (strefa %2, lokal %3) ma numer, którego moduł nie pomieści "
                "(najwyżej 268435455). Do modułu niczego nie wysłano.",
                "Card %1 (zone %2, apartment %3) has a number the module cannot hold (at most "
                "268435455). Nothing was sent to the module."};
    case OwnTextName::OnlyInModule:
        return {"strefa %1, lokal %2, karta %3, B1 %4: tylko w module",
                "zone %1, apartment %2, card %3, B1 %4: only in the module"};
    case OwnTextName::OnlyInProgram:
        return {"strefa %1, lokal %2, karta %3, B1 %4: tylko w programie",
                "zone %1, apartment %2, card %3, B1 %4: only in the program"};
    case OwnTextName::CableInUse:
        return {"Kabel USB jest używany przez inny program.",
                "The USB cable is in use by another program."};
    case OwnTextName::LinesLeftOut:
        return {"Pominięto wiersze pliku (strefa spoza 1..4 albo lokal spoza 0..255): %1.",
                "Lines of the file were left out (a zone outside 1..4 or an apartment outside "
                "0..255): %1."};
    case OwnTextName::ModuleStoppedAnswering:
        return {"Moduł przestał odpowiadać na stronie %1. Polecenie przerwano.",
                "The module stopped answering at page %1. The command was stopped."};
    case OwnTextName::CardListNotChanged:
        return {"Lista kart nie została zmieniona.", "The card list was not changed."};
    case OwnTextName::RecordsHoldNoCard:
        return {"Odczyt modułu nie powiódł się: zapisy w obrębie liczby kart modułu nie "
                "zawierają karty: %1.",
                "Reading the module failed: records within the module's card count hold no "
                "card: %1."};
    case OwnTextName::RecordPlace:
        return {"strona %1 zapis %2", "page %1 record %2"};
    case OwnTextName::PasswordErased:
        return {"Moduł nie ma ważnego hasła instalatora (jego pamięć jest skasowana). Wpisz "
                "nowe hasło, które zostanie zapisane w module.",
                "The module holds no valid installer password (its memory is erased). Enter a "
                "new password to write into the module."};
    case OwnTextName::PasswordChangeUnknown:
        return {"Moduł nie potwierdził zmiany hasła i nie udało się sprawdzić, jakie hasło "
                "teraz ma.",
                "The module did not confirm the password change, and the password it now holds "
                "could not be checked."};
    case OwnTextName::ResetNotDone:
        return {"Moduł nie został skasowany; jego pamięć się nie zmieniła.",
                "The module was not reset; its memory is unchanged."};
    case OwnTextName::ResetPasswordNotKept:
        return {"Pamięć modułu została skasowana, ale nie udało się zapisać z powrotem hasła "
                "instalatora. Moduł nie ma teraz ważnego hasła: ustaw nowe.",
                "The module's memory was erased, but its installer password could not be "
                "written back. The module now holds no valid password: set a new one."};
    case OwnTextName::ResetSettingsNotKept:
        return {"Moduł został skasowany i zachował hasło, ale nie udało się zapisać jego "
                "ustawień dodatkowych.",
                "The module was reset and kept its password, but its additional settings could "
                "not be written."};
    case OwnTextName::ResetUnknown:
        return {"Moduł nie potwierdził kasowania i nie udało się go potem odczytać: nie "
                "wiadomo, co teraz zawiera. Odczytaj albo sprawdź moduł.",
                "The module did not confirm the reset and could not be read afterwards: what it "
                "holds now is unknown. Read or verify the module."};
    case OwnTextName::CancelButton:
        return {"Anuluj", "Cancel"};
    case OwnTextName::ReadCancelled:
        return {"Odczyt modułu przerwano. Lista kart nie została zmieniona.",
                "The read was cancelled. The card list was not changed."};
    case OwnTextName::VerifyCancelled:
        return {"Weryfikację przerwano; nie wszystkie karty zostały sprawdzone.",
                "The verify was cancelled; not every card was checked."};
    case OwnTextName::WriteNotCancellable:
        return {"Zapisu nie można przerwać", "A write cannot be cancelled"};
    case OwnTextName::ClosesAfterCommand:
        return {"Program zamknie się po zakończeniu polecenia.",
                "The program closes when the command ends."};
    case OwnTextName::UnsavedChangesQuestion:
        return {"Rejestr kart zawiera zmiany, których nie zapisano do pliku ani nie wysłano do "
                "modułu.\n\nTak: zapisz je do pliku.\nNie: porzuć zmiany.\nAnuluj: wróć.",
                "The card register holds changes that are neither saved to a file nor sent to a "
                "module.\n\nYes: save them to a file.\nNo: give them up.\nCancel: go back."};
    case OwnTextName::UnsavedChangesCaption:
        return {"ZEL - niezapisane zmiany", "ZEL - unsaved changes"};
    case OwnTextName::PartialReadQuestion:
        return {"Odczytano %1 z %2 kart modułu; nie udało się odczytać stron: %3.\n\nZachować to, "
                "co odczytano? Nie: lista kart pozostaje taka, jak przed odczytem.",
                "%1 of the module's %2 cards were read; these pages could not be read: %3.\n\n"
                "Keep what was read? No leaves the card list as it was before the read."};
    case OwnTextName::PartialReadSave:
        return {"Lista kart pochodzi z niepełnego odczytu modułu. Czy na pewno zapisać ją w "
                "pliku %1 w miejsce jego zawartości?",
                "The card list comes from a read of the module that missed pages. Write it over "
                "the contents of %1 all the same?"};
    case OwnTextName::PasswordRefused:
        return {"Moduł odrzucił hasło - kliknij pole hasła",
                "Password refused - click the password box"};
    case OwnTextName::ReplaceFileQuestion:
        return {"Plik %1 już istnieje. Czy zastąpić go?",
                "The file %1 already exists. Do you want to replace it?"};
    case OwnTextName::VerifyPageError:
        return {"Błąd odczytu na stronie ", "Read error on page "};
    case OwnTextName::OpenDialogFilter:
        return {"Moduł ZEL (*.zel)|*.zel|Pliki tekstowe (*.txt)|*.txt|Wszystkie pliki (*.*)|*.*",
                "Module ZEL (*.zel)|*.zel|Text files (*.txt)|*.txt|All files (*.*)|*.*"};
    case OwnTextName::PrintButton:
        return {"Drukuj", "Print"};
    case OwnTextName::InstructionsLabel:
        return {"Instrukcja:", "Instructions:"};
    case OwnTextName::CardNumberNotHeld:
        return {"Karta %1 ma numer, którego moduł nie pomieści (najwyżej 268435455).",
                "Card %1 has a number the module cannot hold (at most 268435455)."};
    case OwnTextName::DescriptionNotHeld:
        return {"Opis nie może zawierać tych znaków, bo plik kart ich nie pomieści: %1",
                "The description cannot contain these characters, as a card file cannot hold "
                "them: %1"};
    case OwnTextName::ModuleMenu:
        return {"Moduł", "Module"};
    case OwnTextName::GridName:
        return {"Lokale strefy", "Apartments of the zone"};
    case OwnTextName::CardListName:
        return {"Karty lokalu", "Cards of the apartment"};
    case OwnTextName::GridCellCards:
        return {"Lokal %1, kart: %2", "Apartment %1, cards: %2"};
    case OwnTextName::GridCellNumber:
        return {"Lokal %1, numer do wybrania: %2", "Apartment %1, number to dial: %2"};
    case OwnTextName::GridCellNoNumber:
        return {"Lokal %1, bez numeru do wybrania", "Apartment %1, no number to dial"};
    case OwnTextName::PasswordChangeItem:
        return {"Zmień hasło", "Change password"};
    // The journal of module work.
    case OwnTextName::JournalDeclined:
        return {"Nie wykonano: na pytanie odpowiedziano Nie.",
                "Not done: the question was answered No."};
    case OwnTextName::JournalDone:
        return {"Wykonano.", "Done."};
    case OwnTextName::JournalNoReport:
        return {"Nie wykonano w całości (bez komunikatu).", "Not done in full (no report)."};
    case OwnTextName::JournalOff:
        return {"Nie można zapisać dziennika pracy z modułami %1 (%2). Do ponownego "
                "uruchomienia programu praca z modułami nie będzie zapisywana w dzienniku; "
                "polecenia działają jak zwykle.",
                "The journal of module work %1 cannot be written (%2). Until the program is "
                "started again, module work is not journaled; commands work as usual."};
    case OwnTextName::JournalMenuItem:
        return {"Dziennik pracy z modułami", "Journal of module work"};

    // Spreadsheets.
    case OwnTextName::SpreadsheetImportItem:
        return {"Importuj z arkusza...", "Import from spreadsheet..."};
    case OwnTextName::SpreadsheetExportItem:
        return {"Eksportuj do arkusza...", "Export to spreadsheet..."};
    case OwnTextName::SpreadsheetFilter:
        return {"Arkusz CSV (*.csv *.txt)|*.csv;*.txt|Wszystkie pliki (*.*)|*.*",
                "CSV spreadsheet (*.csv *.txt)|*.csv;*.txt|All files (*.*)|*.*"};
    case OwnTextName::SpreadsheetImportCaption:
        return {"Import z arkusza", "Import from spreadsheet"};
    case OwnTextName::SpreadsheetExportCaption:
        return {"Eksport do arkusza", "Export to spreadsheet"};
    case OwnTextName::SpreadsheetImportQuestion:
        return {"Arkusz %1 zawiera:\nkart: %2 (lokali: %3)\nnumerów do wybrania: %4\n\n"
                "Dodać je do rejestru kart?",
                "The spreadsheet %1 holds:\ncards: %2 (apartments: %3)\nnumbers to dial: %4\n\n"
                "Add them to the card register?"};
    case OwnTextName::SpreadsheetEmpty:
        return {"Arkusz %1 nie zawiera kart ani numerów do wybrania.",
                "The spreadsheet %1 holds no cards and no numbers to dial."};
    case OwnTextName::SpreadsheetTooLarge:
        return {"Plik %1 ma więcej niż 1 000 000 bajtów; arkusz kart nigdy nie jest tak duży.",
                "The file %1 is larger than 1,000,000 bytes; a spreadsheet of cards never is."};
    case OwnTextName::SpreadsheetLinesRefused:
        return {"Niczego nie zaimportowano. Wierszy arkusza %1, których nie można przyjąć: %2.",
                "Nothing was imported. Lines of the spreadsheet %1 that cannot be taken: %2."};
    case OwnTextName::SpreadsheetMergeRefused:
        return {"Niczego nie zaimportowano z arkusza %1:",
                "Nothing was imported from the spreadsheet %1:"};
    case OwnTextName::SpreadsheetLine:
        return {"wiersz %1: %2", "line %1: %2"};
    case OwnTextName::SpreadsheetQuoteNotClosed:
        return {"cudzysłów otwarty w tym wierszu nie jest zamknięty do końca pliku",
                "a quote opened on this line is not closed before the end of the file"};
    case OwnTextName::SpreadsheetFieldCount:
        return {"pól: %1, a powinno być 5 albo 6 (strefa;lokal;karta;b1;opis;wybierany numer)",
                "%1 fields, where 5 or 6 belong (zone;apartment;card;b1;description;number to "
                "dial)"};
    case OwnTextName::SpreadsheetCardNotDigits:
        return {"numer karty \"%1\" nie składa się z samych cyfr (program arkusza mógł go "
                "zamienić na liczbę z przecinkiem lub wykładnikiem: kolumnę kart trzeba "
                "sformatować jako tekst)",
                "the card number \"%1\" is not digits alone (a spreadsheet program may have "
                "turned it into a number with a decimal point or an exponent: format the card "
                "column as text)"};
    case OwnTextName::SpreadsheetZone:
        return {"strefa \"%1\" nie jest liczbą od 1 do 4",
                "the zone \"%1\" is not a number 1 to 4"};
    case OwnTextName::SpreadsheetApartment:
        return {"lokal \"%1\" nie jest liczbą od 0 do 255",
                "the apartment \"%1\" is not a number 0 to 255"};
    case OwnTextName::SpreadsheetB1:
        return {"b1 \"%1\" nie jest ani 0, ani 1, ani puste",
                "b1 \"%1\" is neither 0, 1 nor empty"};
    case OwnTextName::SpreadsheetDialNumber:
        return {"wybierany numer \"%1\" nie składa się z 1 do 4 cyfr",
                "the number to dial \"%1\" is not 1 to 4 digits"};
    case OwnTextName::SpreadsheetDialNumberConflict:
        return {"wybierany numer %1 dla lokalu %2 w strefie %3, a wiersz %4 podaje %5",
                "number to dial %1 for apartment %2 in zone %3, where line %4 gives %5"};
    case OwnTextName::SpreadsheetNoCard:
        return {"brak numeru karty (wiersz bez karty może podać tylko wybierany numer)",
                "no card number (a row without a card may only give a number to dial)"};
    case OwnTextName::SpreadsheetCardTwice:
        return {"karta %1 jest już w wierszu %2", "card %1 is on line %2 already"};
    case OwnTextName::SpreadsheetCardInRegister:
        return {"karta %1 jest już w rejestrze: lokal %2 w strefie %3",
                "card %1 is already registered: apartment %2 in zone %3"};
    case OwnTextName::SpreadsheetDialNumberInRegister:
        return {"wybierany numer %1 dla lokalu %2 w strefie %3, a rejestr ma %4",
                "number to dial %1 for apartment %2 in zone %3, where the register has %4"};
    case OwnTextName::SpreadsheetTooManyCards:
        return {"od tej karty rejestr miałby więcej kart, niż moduł może pomieścić (6144)",
                "from this card on the register would hold more cards than a module can (6144)"};

    // The printed register
    case OwnTextName::PrintRegisterItem:
        return {"Drukuj rejestr...", "Print register..."};
    case OwnTextName::ReportTitle:
        return {"Rejestr kart", "Card register"};
    case OwnTextName::ReportFile:
        return {"Plik: %1", "File: %1"};
    case OwnTextName::ReportNotSaved:
        return {"(rejestr nie zapisany w pliku)", "(register not saved to a file)"};
    case OwnTextName::ReportDate:
        return {"Data: %1", "Date: %1"};
    case OwnTextName::ReportNumberColumn:
        return {"Numer karty", "Card number"};
    case OwnTextName::ReportDescriptionColumn:
        return {"Opis", "Description"};
    case OwnTextName::ReportZone:
        return {"Strefa %1", "Zone %1"};
    case OwnTextName::ReportZoneContinued:
        return {"Strefa %1 (cd.)", "Zone %1 (continued)"};
    case OwnTextName::ReportApartment:
        return {"Lokal %1", "Apartment %1"};
    case OwnTextName::ReportApartmentContinued:
        return {"Lokal %1 (cd.)", "Apartment %1 (continued)"};
    case OwnTextName::ReportDialNumber:
        return {"numer do wybrania: %1", "number to dial: %1"};
    case OwnTextName::ReportZoneTotal:
        return {"Strefa %1 razem: kart %2, lokali %3", "Zone %1 total: cards %2, apartments %3"};
    case OwnTextName::ReportGrandTotal:
        return {"Cały rejestr: kart %1, lokali %2", "Whole register: cards %1, apartments %2"};
    case OwnTextName::ReportNoCards:
        return {"Rejestr nie zawiera kart.", "The register holds no cards."};
    case OwnTextName::ReportPageNumber:
        return {"Strona %1 z %2", "Page %1 of %2"};
    case OwnTextName::ReportNotPrinted:
        return {"Nie udało się wydrukować rejestru.", "The register could not be printed."};
    // Backup before a write.
    case OwnTextName::BackupQuestion:
        return {"Moduł zawiera kart: %1. Zapis zastąpi je kartami programu.\n\nCzy najpierw "
                "zapisać karty modułu do pliku kopii zapasowej (około %2 s)?\n\nTak: kopia, "
                "potem zapis. Nie: zapis bez kopii. Anuluj: nic nie jest zapisywane.",
                "The module holds %1 cards. The write replaces them with the program's cards."
                "\n\nBack up the module's cards to a file first (about %2 s)?\n\nYes: backup, "
                "then write. No: write without a backup. Cancel: nothing is written."};
    case OwnTextName::BackupCaption:
        return {"Kopia zapasowa przed zapisem", "Backup before a write"};
    case OwnTextName::BackupProgress:
        return {"Kopia zapasowa modułu ... ", "Backing up the module ... "};
    case OwnTextName::BackupNotTaken:
        return {"Nie udało się wykonać kopii zapasowej kart modułu: %1 Do modułu niczego nie "
                "zapisano.",
                "The module's cards could not be backed up: %1 Nothing was written to the "
                "module."};
    case OwnTextName::BackupCountUnreadable:
        return {"moduł nie podał liczby kart.", "the module did not report how many cards it "
                                                "holds."};
    case OwnTextName::BackupCountTooLarge:
        return {"moduł podaje %1 kart, więcej niż może pomieścić (6144).",
                "the module reports %1 cards, more than it can hold (6144)."};
    case OwnTextName::BackupPagesFailed:
        return {"nie udało się odczytać stron: %1.", "pages that could not be read: %1."};
    case OwnTextName::BackupStoppedAnswering:
        return {"moduł przestał odpowiadać na stronie %1.",
                "the module stopped answering at page %1."};
    case OwnTextName::BackupRecordsHoldNoCard:
        return {"zapisy w obrębie liczby kart modułu nie zawierają karty: %1.",
                "records within the module's card count hold no card: %1."};
    case OwnTextName::BackupCancelled:
        return {"kopię przerwano.", "the backup was cancelled."};
    case OwnTextName::BackupNoFolder:
        return {"nie ma folderu na kopie (nie ustawiono folderu domowego).",
                "there is no folder for backups (no home folder is set)."};
    case OwnTextName::BackupNotSaved:
        return {"nie można zapisać pliku \"%1\" (%2).", "cannot create file \"%1\" (%2)."};
    case OwnTextName::BackupAfterWrite:
        return {"Zapis do modułu zakończony. Poprzednie karty modułu (%1) są w pliku kopii "
                "zapasowej %2",
                "The write is done. The module's previous cards (%1) are in the backup file %2"};
    case OwnTextName::BackupAfterFailedWrite:
        return {"Poprzednie karty modułu (%1) są w pliku kopii zapasowej %2",
                "The module's previous cards (%1) are in the backup file %2"};
    }
    return {"", ""};
}

} // namespace

std::string OwnText(OwnTextName name, int language) {
    const Pair p = Texts(name);
    return language == Polish ? p.polish : p.english;
}

std::string OwnText(OwnTextName name, int language, std::initializer_list<std::string> args) {
    std::string text = OwnText(name, language);
    int n = 1;
    for (const std::string& arg : args) {
        const std::string mark = "%" + std::to_string(n++);
        if (const auto at = text.find(mark); at != std::string::npos)
            text.replace(at, mark.size(), arg);
    }
    return text;
}

std::string CardFileTooLargeText(std::uint64_t size, int language) {
    return OwnText(OwnTextName::CardFileTooLarge, language, {std::to_string(size)});
}

} // namespace korv
