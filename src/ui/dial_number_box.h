// The number-to-dial box (EditWybierany, "wybierany" = dialled). Digits only, and typing
// stops at four characters; a longer number a card file brought in is shown and kept whole,
// and can still be shortened.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

namespace korv::ui {

inline constexpr int kDialNumberTypedLength = 4;

class DialNumberValidator : public QValidator {
public:
    explicit DialNumberValidator(QLineEdit* edit);
    State validate(QString& input, int& pos) const override;

private:
    // The box's text before the edit being validated (the box already holds the new one).
    QString shown_;
};

} // namespace korv::ui
