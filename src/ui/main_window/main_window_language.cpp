// Captions in the current language, and the language menu.
#include "ui/main_window/main_window.h"

#include "commands/card_commands.h"
#include "commands/connection_monitor.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"
#include "i18n/settings_file.h"
#include "ui/app_identity.h"
#include "ui/catalogue_text.h"
#include "ui/widgets/apartment_grid.h"
#include "ui/widgets/fit_caption.h"
#include "ui/widgets/push_panel.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace korv::ui {

void TMain::SelectLanguage(int language) {
    for (int i = 0; i < kLanguageCount; ++i)
        JezykItems[i]->setChecked(i == language);
    SetLanguageIndex(language);
    UseQtTranslations(language);
    ApplyLanguage();
    SaveLanguage();
}

void TMain::SaveLanguage() {
    // A folder that cannot be written keeps the language for this session only.
    WriteLanguage(settingsPath_, LanguageIndex());
}

void TMain::ApplyLanguage() {
    Nowy1->setText(Text(6));
    Plik1->setTitle(Text(0));
    Otwrz1->setText(Text(1));
    Dopisz_plik->setText(Text(2));
    Zapisz1->setText(Text(3));
    Zapiszjako1->setText(Text(4));
    Wyjcie1->setText(Text(5));
    // Spreadsheets.
    Importuj_arkusz1->setText(
        QString::fromStdString(OwnText(OwnTextName::SpreadsheetImportItem, LanguageIndex())));
    Eksportuj_arkusz1->setText(
        QString::fromStdString(OwnText(OwnTextName::SpreadsheetExportItem, LanguageIndex())));
    Drukuj_rejestr1->setText(
        QString::fromStdString(OwnText(OwnTextName::PrintRegisterItem, LanguageIndex())));

    PageControl2->setTabText(0, Text(15));

    Jezyk->setTitle(Text(20));
    for (int i = 0; i < kLanguageCount; ++i)
        JezykItems[i]->setText(Text(21 + i));

    OUSB1->setText(Text(27));
    help1->setText(Text(28));
    Kontakt1->setText(Text(29));
    SprWersj2->setText(Text(18));

    Label_stan_polaczenia->setText(Text(32));
    const auto own = [](OwnTextName name) {
        return QString::fromStdString(OwnText(name, LanguageIndex()));
    };
    Button_anuluj->setText(own(OwnTextName::CancelButton));
    LabelNoCancel->setText(own(OwnTextName::WriteNotCancellable));
    Modul_ZEL->setTitle(Text(35));
    Panel1b->setCaption(Text(36));
    Panel2b->setCaption(Text(37));
    Panel3b->setCaption(Text(38));
    Modul1->setTitle(own(OwnTextName::ModuleMenu));
    Odczytaj1->setText(Text(36));
    Zapisz_modul1->setText(Text(37));
    Weryfikuj1->setText(Text(38));
    Zmien_haslo1->setText(own(OwnTextName::PasswordChangeItem));
    Dziennik1->setText(own(OwnTextName::JournalMenuItem));
    Button_zmien_haslo->setAccessibleName(own(OwnTextName::PasswordChangeItem));
    Reset_pamieci1->setText(Text(139));

    // The monitor's own wording, so a switch says what the next tick would.
    LabelPolacz->setText(QString::fromStdString(ConnectionLabelText(state_)));

    Button_zmien_haslo->setText(Text(153));
    Button_reset_pamieci->setText(Text(139));
    GroupBox_haslo->setTitle(Text(156));

    Label_modul_zel_ustawienia->setText(Text(220));
    Label_modul_zel_mini->setText(Text(221));
    Label_czas_aktywnosci->setText(Text(222));
    Label_czas_zamka->setText(Text(223));
    RadioGroup_typ_zamka->setTitle(Text(224));
    for (int i = 0; i < 3; ++i)
        RadioGroup_typ_zamkaItems[i]->setText(Text(225 + i));
    CheckBox_biper->setText(Text(228));

    RadioGroup1->setTitle(Text(84));
    for (int i = 0; i < 4; ++i)
        RadioGroup1Items[i]->setText(Text(85) + " " + QString::number(i + 1));
    RadioGroup2->setTitle(Text(66));
    RadioGroup2Items[0]->setText(Text(67));
    RadioGroup2Items[1]->setText(Text(68));

    ShowCardCount(state_.tablica.CardCount());

    GroupBox_karta->setTitle(Text(69));
    LabelNrM->setText(Text(76));
    Label_wybierany_numer->setText(Text(78));
    Button_dodaj->setText(Text(AddButtonMessage(state_.AutoReadAdd)));
    Button_Kasuj1->setText(Text(80));
    Button_zmien->setText(Text(81));
    Button_Znajdz->setText(Text(82));
    Button_kasujZakres->setText(Text(83));
    ListView1->headerItem()->setText(0, Text(86));
    ListView1->headerItem()->setText(1, QString());
    ListView1->headerItem()->setText(2, Text(87));
    CheckBox_auto->setText(Text(99));
    // Controls with no caption or buddy label of their own: a screen reader says these.
    Grid->setAccessibleName(own(OwnTextName::GridName));
    ListView1->setAccessibleName(own(OwnTextName::CardListName));
    PageControl2->setAccessibleName(Text(15));
    FitCaptions(this);
}

} // namespace korv::ui
