#include "ui/widgets/limited_spin_box.h"

#include <QLineEdit>

#include <algorithm>

namespace korv::ui {

LimitedSpinBox::LimitedSpinBox(QWidget* parent, int minimum, int maximum, int maxLength)
    : QSpinBox(parent), maxLength_(maxLength) {
    setRange(minimum, maximum);
    setValue(minimum);
    lineEdit()->setMaxLength(maxLength);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

int LimitedSpinBox::valueFromText(const QString& text) const {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::clamp(v, minimum(), maximum()) : minimum();
}

QValidator::State LimitedSpinBox::validate(QString& input, int&) const {
    // Everything short enough is taken; valueFromText decides what it means.
    return input.size() <= maxLength_ ? QValidator::Acceptable : QValidator::Invalid;
}

} // namespace korv::ui
