// A spin box of the old dialogs: at most n characters typed, a typed value outside the limits
// brought to the nearest limit when the box loses the focus, and a text that is not a number
// read as the lower limit.
#pragma once

#include <QSpinBox>

namespace korv::ui {

class LimitedSpinBox : public QSpinBox {
public:
    LimitedSpinBox(QWidget* parent, int minimum, int maximum, int maxLength);

protected:
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;

private:
    int maxLength_;
};

} // namespace korv::ui
