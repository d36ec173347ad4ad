// The main window's Info menu windows: help, the USB cable instructions, the contact window,
// and the journal of module work, handed to the desktop's spreadsheet program.
#include "ui/main_window/main_window.h"

#include "files/journal_file.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"
#include "ui/info/contact_window.h"
#include "ui/info/desktop_links.h"
#include "ui/info/info_text_window.h"

#include <QAction>

namespace korv::ui {

void TMain::ConnectInfoWindows() {
    connect(help1, &QAction::triggered, this, &TMain::help1Click);
    connect(OUSB1, &QAction::triggered, this, &TMain::OUSB1Click);
    connect(Dziennik1, &QAction::triggered, this, &TMain::Dziennik1Click);
    connect(Kontakt1, &QAction::triggered, this,
            [this] { TAbout::About1Click(this, LanguageIndex()); });
}

void TMain::help1Click() {
    TForm_Help window(this);
    window.ShowLanguage(LanguageIndex());
    ShowCentred(window, this);
}

void TMain::OUSB1Click() {
    TO_USB window(this);
    window.ShowLanguage(LanguageIndex());
    ShowCentred(window, this);
}

void TMain::Dziennik1Click() {
    // A journal not yet begun is begun here, so there is always a file to open.
    const auto& path = journal_->Path();
    std::string error = "no user data folder";
    if (!path || !AppendJournalLine(*path, std::string(), error)) {
        ui().ShowError(OwnText(OwnTextName::JournalOff, LanguageIndex(),
                               {path.value_or(std::string("journal.csv")), error}));
        return;
    }
    OpenLink(QUrl::fromLocalFile(QString::fromStdString(*path)));
}

} // namespace korv::ui
