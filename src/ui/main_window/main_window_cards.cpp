// The main window's side of the card group: forwarding its buttons to the card commands, the
// card and range dialogs, the card list's selection, and Find's notice panel.
#include "ui/main_window/main_window.h"

#include "commands/card_commands.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "ui/dialogs/card_dialog.h"
#include "ui/dialogs/range_dialog.h"
#include "ui/widgets/fit_caption.h"
#include "ui/widgets/notice_panel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTreeWidget>

namespace korv::ui {

void TMain::ConnectCardCommands() {
    auto forward = [this](QPushButton* button, void (*command)(const EditContext&)) {
        connect(button, &QPushButton::clicked, this, [this, command] { command(Edit()); });
    };
    forward(Button_dodaj, &korv::AddNewCard);
    forward(Button_zmien, &korv::ChangeSelectedCard);
    forward(Button_Kasuj1, &korv::DeleteSelectedCard);
    forward(Button_kasujZakres, &korv::DeleteApartmentRange);
    // Find waits for a card at the reader: a job of the runner, like the card dialog's Read.
    connect(Button_Znajdz, &QPushButton::clicked, this,
            [this] { StartJob(JobKind::Find, &korv::FindCardAtReader); });
    connect(CheckBox_auto, &QCheckBox::toggled, this,
            [this](bool on) { korv::SetAutoReadAdd(Edit(), on); });
}

TKarta TMain::AskCard(const std::optional<TKarta>& card) {
    CardDialogSetup setup{state_.CurrentApartment,
                          state_.AutoReadAdd,
                          state_.connection.ConnectionMessage == MsgConnectedWithModule,
                          {}};
    setup.readCard = [this](QObject* dialog, std::function<void(const std::string&)> got) {
        ReadCardForDialog(dialog, std::move(got));
    };
    return card ? TFormParametryKarty::ZmienKarte(this, *card, setup)
                : TFormParametryKarty::DodajKarte(this, setup);
}

std::pair<int, int> TMain::AskRange(int start) {
    int from = start, to = start;
    TFormZakres::PodajZakres(this, from, to);
    return {from, to};
}

int TMain::SelectedCardRow() const {
    const auto selected = ListView1->selectedItems();
    return selected.isEmpty() ? -1 : ListView1->indexOfTopLevelItem(selected.first());
}

void TMain::ShowCardNotice(bool show) {
    delete CardNoticePanel;
    CardNoticePanel = nullptr;
    if (show) // 16 points on the design's 96-dpi screen
        CardNoticePanel = ShowNoticePanel(TabSheet10, "CardNoticePanel",
                                          {(ClientArea->width() - 300) / 2, 200, 300, 50}, 21,
                                          QString::fromStdString(MessageText(MsgHoldCardNotice)));
}

} // namespace korv::ui
