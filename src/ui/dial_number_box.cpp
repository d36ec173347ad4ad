#include "ui/dial_number_box.h"

namespace korv::ui {

DialNumberValidator::DialNumberValidator(QLineEdit* edit) : QValidator(edit) {
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
}

QValidator::State DialNumberValidator::validate(QString& input, int&) const {
    for (QChar c : input)
        if (!c.isDigit())
            return Invalid;
    // Growing past four characters is refused; a shown longer number may only get shorter.
    if (input.size() > kDialNumberTypedLength && input.size() >= shown_.size())
        return Invalid;
    return Acceptable;
}

} // namespace korv::ui
