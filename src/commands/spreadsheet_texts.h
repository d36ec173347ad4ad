// The words of the spreadsheet commands, shared by the window and korv-cli: why a line of a
// spreadsheet cannot be taken, and the question before its cards go into the register.
#pragma once

#include "files/card_spreadsheet.h"

#include <string>

namespace korv {

// The header row a language writes: Polish for Polish, English for every other language.
SpreadsheetHeader SpreadsheetHeaderFor(int language);

// "line N: why", in the language. A refused card number or description is worded as the card
// dialog refuses it.
std::string SpreadsheetRefusalText(const SpreadsheetRefusal& refusal, int language);

// What the spreadsheet holds, and whether to add it to the register.
std::string SpreadsheetQuestionText(const std::string& name, const SpreadsheetCounts& counts,
                                    int language);

} // namespace korv
