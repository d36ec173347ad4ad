// The apartment box: an up-down number box 0..255 with the typing rule installers are used to
// (digits append, anything out of range or any other key gives 0) and Page Up/Down by 10.
#pragma once

#include <QSpinBox>

namespace korv::ui {

class ApartmentBox : public QSpinBox {
    Q_OBJECT
public:
    explicit ApartmentBox(QWidget* parent);

    // A value change under way comes from a key typed into the box (not from a step key,
    // the grid or a command): the focus must stay here so the next digit lands here too.
    bool typing() const { return typing_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;

private:
    void KeyPress(QKeyEvent* event);
    bool typing_ = false;
};

} // namespace korv::ui
