// The main window's Info menu windows: help, the USB cable instructions, the contact window.
#include "ui/main_window/main_window.h"

#include "i18n/catalogue.h"
#include "ui/info/contact_window.h"
#include "ui/info/info_text_window.h"

#include <QAction>

namespace korv::ui {

void TMain::ConnectInfoWindows() {
    connect(help1, &QAction::triggered, this, &TMain::help1Click);
    connect(OUSB1, &QAction::triggered, this, &TMain::OUSB1Click);
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

} // namespace korv::ui
