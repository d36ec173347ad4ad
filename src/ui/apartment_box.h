// The apartment box: an up-down number box 0..255 with the typing rule installers are used to
// (digits append, anything out of range or any other key gives 0) and Page Up/Down by 10.
#pragma once

#include <QSpinBox>

namespace korv::ui {

class ApartmentBox : public QSpinBox {
    Q_OBJECT
public:
    explicit ApartmentBox(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
};

} // namespace korv::ui
