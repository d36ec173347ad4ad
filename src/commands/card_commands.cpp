#include "commands/card_commands.h"

#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "commands/command_guards.h"

namespace korv {

namespace {

// The card list's selected row, when it names a card of the shown apartment.
std::optional<std::size_t> SelectedCard(ModuleContext& ctx) {
    const int row = ctx.ui.SelectedCardRow();
    const auto& lista =
        ctx.state.tablica.Cell(ctx.state.CurrentZone, ctx.state.CurrentApartment).lista;
    if (row < 0 || static_cast<std::size_t>(row) >= lista.size())
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

// Busy mode around a dialog, with the monitor timer kept off as well (the dialog reads cards
// through the port).
class DialogBusy {
public:
    explicit DialogBusy(ModuleContext& ctx) : ctx_(ctx) {
        ctx_.ui.SetMonitorRunning(false);
        busy_.emplace(ctx);
    }
    ~DialogBusy() {
        busy_.reset();
        ctx_.ui.SetMonitorRunning(true);
    }
    DialogBusy(const DialogBusy&) = delete;
    DialogBusy& operator=(const DialogBusy&) = delete;

private:
    ModuleContext& ctx_;
    std::optional<CommandBusy> busy_;
};

} // namespace

int AddButtonMessage(bool autoReadAdd) {
    return autoReadAdd ? MsgAutoReadAdd : MsgAddButton;
}

std::string ReadCardAtReader(link::TBEXFTDI& port) {
    OpenCable cable(port);
    std::string numer;
    if (cable.Opened())
        port.OdczytajKarte(numer);
    return numer;
}

std::string CardAssignedText(int zone, int apartment) {
    return MessageText(MsgCardAssignedTo) + std::to_string(apartment) + MessageText(MsgInZone) +
           std::to_string(zone);
}

void Button_dodajClick(ModuleContext& ctx) {
    if (ctx.state.Busy)
        return; // a click that arrived while a monitor tick let events run
    AppState& s = ctx.state;
    if (s.tablica.CardCount() >= MaxCards) {
        ctx.ui.MessageBox(MessageText(MsgTooManyCards), MessageText(MsgAddingCardCaption),
                          MbWarning);
        return;
    }
    TKarta karta;
    {
        DialogBusy busy(ctx);
        karta = ctx.ui.AskCard(std::nullopt, ctx.port);
    }
    if (karta.numer == kNoCard)
        return;
    int zone = 0, apartment = 0;
    if (s.tablica.FindCard(karta.numer, zone, apartment)) {
        ctx.ui.MessageBox(CardAssignedText(zone, apartment) + "!",
                          MessageText(MsgAddingCardCaption), MbWarning);
        return;
    }
    s.tablica.AddCard(s.CurrentZone, s.CurrentApartment, karta);
    ctx.ui.RefreshViews();
    s.NeedSave = true;
}

void CheckBox_autoClick(ModuleContext& ctx, bool checked) {
    ctx.state.AutoReadAdd = checked;
    ctx.ui.SetAddButtonCaption(MessageText(AddButtonMessage(checked)));
}

void Button_zmienClick(ModuleContext& ctx) {
    if (ctx.state.Busy)
        return;
    const auto row = SelectedCard(ctx);
    if (!row)
        return;
    AppState& s = ctx.state;
    const TKarta before = s.tablica.Cell(s.CurrentZone, s.CurrentApartment).lista[*row];
    TKarta karta;
    {
        CommandBusy busy(ctx);
        karta = ctx.ui.AskCard(before, ctx.port);
    }
    if (karta.numer == kNoCard)
        return;
    // The list may have changed meanwhile only through this dialog; the row still names it.
    auto& lista = s.tablica.Cell(s.CurrentZone, s.CurrentApartment).lista;
    if (*row < lista.size())
        lista[*row] = karta;
    ctx.ui.ShowCurrentApartment();
}

void Button_Kasuj1Click(ModuleContext& ctx) {
    // Not while a transfer walks the register (it lets window events run between pages).
    if (ctx.state.Busy)
        return;
    const auto row = SelectedCard(ctx);
    if (!row)
        return;
    AppState& s = ctx.state;
    auto& lista = s.tablica.Cell(s.CurrentZone, s.CurrentApartment).lista;
    lista.erase(lista.begin() + static_cast<std::ptrdiff_t>(*row));
    ctx.ui.RefreshViews();
    s.NeedSave = true;
    ctx.ui.SetCardButtonsEnabled(false);
}

void Button_kasujZakresClick(ModuleContext& ctx) {
    if (ctx.state.Busy)
        return; // as Delete
    AppState& s = ctx.state;
    const auto [from, to] = ctx.ui.AskRange(s.CurrentApartment);
    if (from == -1)
        return;
    if (to >= from)
        for (int a = std::max(from, 0); a <= std::min(to, ApartmentCount - 1); ++a)
            s.tablica.Cell(s.CurrentZone, a).lista.clear();
    ctx.ui.RefreshViews();
    s.NeedSave = true;
}

void Button_ZnajdzClick(ModuleContext& ctx) {
    if (ctx.state.Busy)
        return;
    CommandBusy busy(ctx);
    OpenCable cable(ctx.port, &ctx.ui);
    if (!cable.Opened())
        return;
    ctx.ui.ShowCardNotice(true);
    std::string numer;
    ctx.port.OdczytajKarte(numer);
    if (numer.empty()) {
        ctx.ui.MessageBox(MessageText(MsgCardNotDetected), MessageText(MsgReadingCard), MbWarning);
    } else {
        int zone = 0, apartment = 0;
        const std::string text = ctx.state.tablica.FindCard(numer, zone, apartment)
                                     ? CardAssignedText(zone, apartment) + "."
                                     : MessageText(MsgCardNotAssigned);
        ctx.ui.MessageBox(text, MessageText(MsgReadingCard), MbInformation);
    }
    ctx.ui.ShowCardNotice(false);
}

} // namespace korv
