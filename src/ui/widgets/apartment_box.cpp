#include "ui/widgets/apartment_box.h"

#include "core/view_rules.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace korv::ui {

ApartmentBox::ApartmentBox(QWidget* parent) : QSpinBox(parent) {
    setObjectName("SpinEdit1");
    setRange(0, 255);
    setValue(0);
    lineEdit()->setMaxLength(3);
    setKeyboardTracking(true);
}

void ApartmentBox::keyPressEvent(QKeyEvent* event) {
    // The change that follows comes from the person typing here, unless the key steps the
    // value (Page keys, arrows) or leaves the box.
    const int key = event->key();
    const bool steps = key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up ||
                       key == Qt::Key_Down || key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const bool wasTyping = typing_;
    typing_ = !steps;
    KeyPress(event);
    typing_ = wasTyping;
}

void ApartmentBox::KeyPress(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageUp:
        setValue(std::min(255, value() + 10));
        return;
    case Qt::Key_PageDown:
        setValue(std::max(0, value() - 10));
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: // an editing key, not a typed character
        QSpinBox::keyPressEvent(event);
        return;
    default:
        break;
    }
    const QString typed = event->text();
    // Ctrl+C / Ctrl+V and friends keep their usual meaning; a paste still cannot leave the
    // range, the validator sees to that.
    if (typed.isEmpty() || (event->modifiers() & Qt::ControlModifier)) {
        QSpinBox::keyPressEvent(event);
        return;
    }
    QLineEdit* edit = lineEdit();
    const std::string text = edit->text().toStdString();
    int selStart = edit->hasSelectedText() ? edit->selectionStart() : 0;
    int selLength = edit->hasSelectedText() ? static_cast<int>(edit->selectedText().size()) : 0;
    const QChar ch = typed.at(0);
    const char c = ch.unicode() < 128 ? static_cast<char>(ch.unicode()) : '\x01';
    const int v = ApartmentAfterKey(text, selStart, selLength, c);
    setValue(v);
    // setValue leaves the text unchanged when the value is the same; keep it in step anyway
    edit->setText(QString::number(v));
    edit->setCursorPosition(0);
    event->accept();
}

QValidator::State ApartmentBox::validate(QString& input, int& pos) const {
    if (input.isEmpty())
        return QValidator::Intermediate;
    for (QChar c : input)
        if (!c.isDigit() && c != ' ')
            return QValidator::Invalid;
    bool ok = false;
    const int v = input.trimmed().toInt(&ok);
    if (!ok || v > 255)
        return QValidator::Invalid;
    (void)pos;
    return QValidator::Acceptable;
}

int ApartmentBox::valueFromText(const QString& text) const {
    return ApartmentFromText(text.toStdString());
}

} // namespace korv::ui
