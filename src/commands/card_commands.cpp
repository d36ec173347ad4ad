#include "commands/card_commands.h"

#include "commands/command_guards.h"
#include "core/module_card_number.h"
#include "files/card_line.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "i18n/own_texts.h"

namespace korv {

namespace {

// The card list's selected row, when it names a card of the shown apartment.
std::optional<std::size_t> SelectedCard(const EditContext& ctx) {
    const int row = ctx.view.SelectedCardRow();
    const auto& lista =
        ctx.state.tablica.Cell(ctx.state.CurrentZone, ctx.state.CurrentApartment).lista;
    if (row < 0 || static_cast<std::size_t>(row) >= lista.size())
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

// The dialog refuses such cards already; this keeps one that came some other way out.
bool RefusedBeforeRegister(const EditContext& ctx, const TKarta& karta, int caption) {
    auto why = CardNumberRefusalText(karta.numer);
    if (!why)
        why = DescriptionRefusalText(karta.opis);
    if (why)
        ctx.ui.MessageBox(*why, MessageText(caption), MbWarning);
    return why.has_value();
}

// Add and Change refuse a number another card holds, with the same words.
void ShowAlreadyAssigned(const EditContext& ctx, int zone, int apartment, int caption) {
    ctx.ui.MessageBox(CardAssignedText(zone, apartment) + "!", MessageText(caption), MbWarning);
}

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

std::optional<std::string> CardNumberRefusalText(const std::string& numer) {
    if (numer.empty() || ModuleCardNumber(numer))
        return std::nullopt;
    // The words the write uses for the same card, so the person meets one reason, not two.
    return OwnText(OwnTextName::CardNumberNotHeld, LanguageIndex(), {numer});
}

std::optional<std::string> DescriptionRefusalText(const std::string& opis) {
    const std::vector<std::string> found = DescriptionCharactersNotHeld(opis);
    if (found.empty())
        return std::nullopt;
    std::string list;
    for (const std::string& c : found)
        list += (list.empty() ? "" : " ") + c;
    return OwnText(OwnTextName::DescriptionNotHeld, LanguageIndex(), {list});
}

void AddNewCard(const EditContext& ctx) {
    AppState& s = ctx.state;
    if (s.tablica.CardCount() >= MaxCards) {
        ctx.ui.MessageBox(MessageText(MsgTooManyCards), MessageText(MsgAddingCardCaption),
                          MbWarning);
        return;
    }
    const TKarta karta = ctx.ui.AskCard(std::nullopt);
    if (karta.numer == kNoCard || RefusedBeforeRegister(ctx, karta, MsgAddingCardCaption))
        return;
    int zone = 0, apartment = 0;
    if (s.tablica.FindCard(karta.numer, zone, apartment)) {
        ShowAlreadyAssigned(ctx, zone, apartment, MsgAddingCardCaption);
        return;
    }
    s.tablica.AddCard(s.CurrentZone, s.CurrentApartment, karta);
    ctx.view.RefreshViews();
    s.NeedSave = true;
}

void SetAutoReadAdd(const EditContext& ctx, bool checked) {
    ctx.state.AutoReadAdd = checked;
    ctx.view.SetAddButtonCaption(MessageText(AddButtonMessage(checked)));
}

void ChangeSelectedCard(const EditContext& ctx) {
    const auto row = SelectedCard(ctx);
    if (!row)
        return;
    AppState& s = ctx.state;
    const TKarta before = s.tablica.Cell(s.CurrentZone, s.CurrentApartment).lista[*row];
    const TKarta karta = ctx.ui.AskCard(before);
    if (karta.numer == kNoCard || RefusedBeforeRegister(ctx, karta, MsgCardCaption))
        return;
    // The dialog is modal and nothing edits the register meanwhile: the row still names it.
    const int index = static_cast<int>(*row);
    int zone = 0, apartment = 0;
    // The card may keep its own number; another card's is refused as Add refuses it.
    if (s.tablica.FindOtherCard(karta.numer, {s.CurrentZone, s.CurrentApartment}, index, zone,
                                apartment)) {
        ShowAlreadyAssigned(ctx, zone, apartment, MsgCardCaption);
        return;
    }
    s.tablica.ReplaceCard(s.CurrentZone, s.CurrentApartment, index, karta);
    ctx.view.ShowCurrentApartment();
    // A changed card is a change the module has not got yet, as an added one is.
    if (karta != before)
        s.NeedSave = true;
}

void DeleteSelectedCard(const EditContext& ctx) {
    const auto row = SelectedCard(ctx);
    if (!row)
        return;
    AppState& s = ctx.state;
    s.tablica.DeleteCard(s.CurrentZone, s.CurrentApartment, static_cast<int>(*row));
    ctx.view.RefreshViews();
    s.NeedSave = true;
    ctx.view.SetCardButtonsEnabled(false);
}

void DeleteApartmentRange(const EditContext& ctx) {
    AppState& s = ctx.state;
    const auto [from, to] = ctx.ui.AskRange(s.CurrentApartment);
    if (from == -1)
        return;
    if (to >= from)
        s.tablica.EmptyApartments(s.CurrentZone, std::max(from, 0),
                                  std::min(to, ApartmentCount - 1));
    ctx.view.RefreshViews();
    s.NeedSave = true;
}

void FindCardAtReader(ModuleContext& ctx) {
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
