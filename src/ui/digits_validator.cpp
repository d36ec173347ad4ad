#include "ui/digits_validator.h"

namespace korv::ui {

DigitsValidator::DigitsValidator(QLineEdit* edit, int typedLength)
    : QValidator(edit), typedLength_(typedLength) {
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
}

QValidator::State DigitsValidator::validate(QString& input, int&) const {
    for (QChar c : input)
        if (!c.isDigit())
            return Invalid;
    // Growing past the typed length is refused; a shown longer value may only get shorter.
    if (input.size() > typedLength_ && input.size() >= shown_.size())
        return Invalid;
    return Acceptable;
}

} // namespace korv::ui
