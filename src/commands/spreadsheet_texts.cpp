#include "commands/spreadsheet_texts.h"

#include "i18n/catalogue.h"
#include "i18n/own_texts.h"

namespace korv {

namespace {
std::string Why(const SpreadsheetRefusal& r, int language) {
    const auto t = [language](OwnTextName n, std::initializer_list<std::string> args) {
        return OwnText(n, language, args);
    };
    const std::string zone = std::to_string(r.where.zone);
    const std::string apartment = std::to_string(r.where.apartment);
    switch (r.fault) {
    case SpreadsheetFault::QuoteNotClosed:
        return t(OwnTextName::SpreadsheetQuoteNotClosed, {});
    case SpreadsheetFault::FieldCount:
        return t(OwnTextName::SpreadsheetFieldCount, {std::to_string(r.count)});
    case SpreadsheetFault::Zone:
        return t(OwnTextName::SpreadsheetZone, {r.subject});
    case SpreadsheetFault::Apartment:
        return t(OwnTextName::SpreadsheetApartment, {r.subject});
    case SpreadsheetFault::CardNumber:
        return t(OwnTextName::CardNumberNotHeld, {r.subject});
    case SpreadsheetFault::CardNotDigits:
        return t(OwnTextName::SpreadsheetCardNotDigits, {r.subject});
    case SpreadsheetFault::B1:
        return t(OwnTextName::SpreadsheetB1, {r.subject});
    case SpreadsheetFault::Description: {
        std::string list;
        for (const std::string& c : r.characters)
            list += (list.empty() ? "" : " ") + c;
        return t(OwnTextName::DescriptionNotHeld, {list});
    }
    case SpreadsheetFault::DialNumber:
        return t(OwnTextName::SpreadsheetDialNumber, {r.subject});
    case SpreadsheetFault::DialNumberConflict:
        return t(OwnTextName::SpreadsheetDialNumberConflict,
                 {r.subject, apartment, zone, std::to_string(r.otherLine), r.other});
    case SpreadsheetFault::NoCard:
        return t(OwnTextName::SpreadsheetNoCard, {});
    case SpreadsheetFault::CardTwice:
        return t(OwnTextName::SpreadsheetCardTwice, {r.subject, std::to_string(r.otherLine)});
    case SpreadsheetFault::CardInRegister:
        return t(OwnTextName::SpreadsheetCardInRegister, {r.subject, apartment, zone});
    case SpreadsheetFault::DialNumberInRegister:
        return t(OwnTextName::SpreadsheetDialNumberInRegister,
                 {r.subject, apartment, zone, r.other});
    case SpreadsheetFault::TooManyCards:
        return t(OwnTextName::SpreadsheetTooManyCards, {});
    }
    return {};
}
} // namespace

SpreadsheetHeader SpreadsheetHeaderFor(int language) {
    return language == Polish ? SpreadsheetHeader::Polish : SpreadsheetHeader::English;
}

std::string SpreadsheetRefusalText(const SpreadsheetRefusal& refusal, int language) {
    return OwnText(OwnTextName::SpreadsheetLine, language,
                   {std::to_string(refusal.line), Why(refusal, language)});
}

std::string SpreadsheetQuestionText(const std::string& name, const SpreadsheetCounts& counts,
                                    int language) {
    return OwnText(OwnTextName::SpreadsheetImportQuestion, language,
                   {name, std::to_string(counts.cards), std::to_string(counts.apartments),
                    std::to_string(counts.dialNumbers)});
}

} // namespace korv
