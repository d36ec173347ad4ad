#include "ui/main_window/qt_ui.h"

#include "ui/dialogs/message_box.h"
#include "ui/dialogs/zone_chooser.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/fit_caption.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

namespace korv::ui {

namespace {
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
} // namespace

QtUi::QtUi(TMain& window) : window_(window), chooser_(DialogFileChooser(&window)) {}

int QtUi::MessageBox(const std::string& text, const std::string& caption, int flags) {
    return ShowMessageBox(&window_, Q(text), Q(caption), flags);
}

int QtUi::MessageBoxWithDetails(const std::string& text, const std::string& caption, int flags,
                                const std::string& details) {
    return ShowMessageBox(&window_, Q(text), Q(caption), flags, Q(details));
}

void QtUi::ShowMessage(const std::string& text) {
    ShowPlainMessage(&window_, Q(text));
}

void QtUi::ShowError(const std::string& text) {
    ShowMessageBox(&window_, Q(text), QString(), MbError);
}

void QtUi::ShowProgress(int position, int maximum, const std::string& label) {
    window_.ShowProgress(position, maximum, Q(label));
}

void QtUi::HideProgress() {
    window_.HideProgress();
}

// Open, Add file and Save as share one folder: each starts where the last of them was left.
std::optional<std::string> QtUi::AskOpenFileName(const std::string& filter) {
    const std::string& settings = window_.settingsPath();
    const auto name = chooser_({false, QtFilterFromPipes(filter), {}, Q(folder_.Start(settings))});
    if (name)
        folder_.Keep(settings, *name);
    return name;
}

std::optional<std::string> QtUi::AskSaveFileName(const std::string& filter,
                                                 const std::string& defaultExtension) {
    const std::string& settings = window_.settingsPath();
    const auto name = chooser_(
        {true, QtFilterFromPipes(filter), Q(defaultExtension), Q(folder_.Start(settings))});
    if (name)
        folder_.Keep(settings, *name);
    return name;
}

int QtUi::AskZone() {
    return TFormStrefa::PodajStrefe(&window_);
}

void QtUi::RefreshViews() {
    window_.RefreshViews();
}
void QtUi::SetApartment(int apartment) {
    window_.SetApartment(apartment);
}
void QtUi::ShowCurrentApartment() {
    window_.SpinEdit1Change();
}
void QtUi::SetWindowTitle(const std::string& title) {
    window_.setWindowTitle(Q(title));
}

void QtUi::SetMenuItemEnabled(MenuItem item, bool enabled) {
    switch (item) {
    case MenuItem::Open:
        window_.Otwrz1->setEnabled(enabled);
        break;
    case MenuItem::Append:
        window_.Dopisz_plik->setEnabled(enabled);
        break;
    case MenuItem::Save:
        window_.Zapisz1->setEnabled(enabled);
        break;
    case MenuItem::SaveAs:
        window_.Zapiszjako1->setEnabled(enabled);
        break;
    }
}

void QtUi::ShowConnection(const ConnectionView& view) {
    window_.ShowConnection(view);
}

std::optional<std::string> QtUi::AskPassword(bool change) {
    return window_.AskPassword(change);
}

void QtUi::ShowProgressLabel(const std::string& text) {
    window_.LabelProgres->setText(Q(text));
}

void QtUi::SetWaitCursor(bool waiting) {
    if (waiting)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtUi::SetCardButtonsEnabled(bool enabled) {
    window_.Button_zmien->setEnabled(enabled);
    window_.Button_Kasuj1->setEnabled(enabled);
}

TKarta QtUi::AskCard(const std::optional<TKarta>& card) {
    return window_.AskCard(card);
}

std::pair<int, int> QtUi::AskRange(int start) {
    return window_.AskRange(start);
}

int QtUi::SelectedCardRow() {
    return window_.SelectedCardRow();
}

void QtUi::ShowCardNotice(bool show) {
    window_.ShowCardNotice(show);
}

void QtUi::SetAddButtonCaption(const std::string& caption) {
    window_.Button_dodaj->setText(Q(caption));
    FitCaptions(window_.Button_dodaj->parentWidget());
}

} // namespace korv::ui
