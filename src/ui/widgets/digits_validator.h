// Digits 0..9 only, and typing stops at a length; a longer value a card file brought in is
// shown and kept whole, and can still be shortened. Blanks and line ends around a pasted
// number are trimmed off. Used by the number-to-dial box (EditWybierany, four digits) and the
// card dialog's number box (sixteen).
#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

namespace korv::ui {

inline constexpr int kDialNumberTypedLength = 4;
inline constexpr int kCardNumberTypedLength = 16;

class DigitsValidator : public QValidator {
public:
    DigitsValidator(QLineEdit* edit, int typedLength);
    State validate(QString& input, int& pos) const override;

private:
    int typedLength_;
    // The box's text before the edit being validated (the box already holds the new one).
    QString shown_;
};

} // namespace korv::ui
