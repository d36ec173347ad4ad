// A catalogue slot's text in the current language, as the widgets take it.
#pragma once

#include "i18n/catalogue.h"

#include <QString>

namespace korv::ui {

inline QString Text(int slot) {
    return QString::fromStdString(MessageText(slot));
}

} // namespace korv::ui
