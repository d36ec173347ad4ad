#include "ui/widgets/digits_validator.h"

#include "core/digits.h"

namespace korv::ui {

namespace {

bool PlainDigits(const QString& text) {
    // Only 0..9: other scripts' digits are no number a module or a card file knows. An empty
    // box is one being typed into.
    return text.isEmpty() || AllDigits(text.toStdString());
}

} // namespace

DigitsValidator::DigitsValidator(QLineEdit* edit, int typedLength)
    : QValidator(edit), typedLength_(typedLength) {
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
}

QValidator::State DigitsValidator::validate(QString& input, int& pos) const {
    // A number copied from a list or a spreadsheet often comes with blanks or a line end
    // around it: what was put in is trimmed rather than the whole paste refused.
    qsizetype head = 0;
    while (head < input.size() && head < shown_.size() && input[head] == shown_[head])
        ++head;
    qsizetype tail = 0;
    while (tail < input.size() - head && tail < shown_.size() - head &&
           input[input.size() - 1 - tail] == shown_[shown_.size() - 1 - tail])
        ++tail;
    const QString put = input.mid(head, input.size() - head - tail);
    const QString trimmed = put.trimmed();
    if (trimmed.size() != put.size()) {
        const QString candidate = input.left(head) + trimmed + input.right(tail);
        if (PlainDigits(candidate)) {
            input = candidate;
            pos = static_cast<int>(head + trimmed.size());
        }
    }
    if (!PlainDigits(input))
        return Invalid;
    // Growing past the typed length is refused; a shown longer value may only get shorter.
    if (input.size() > typedLength_ && input.size() >= shown_.size())
        return Invalid;
    return Acceptable;
}

} // namespace korv::ui
