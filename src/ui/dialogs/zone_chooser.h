// The zone chooser asked when a one-zone card file comes in.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace korv::ui {

class TFormStrefa : public QDialog {
    Q_OBJECT
public:
    explicit TFormStrefa(QWidget* parent);

    // Shows the chooser; the zone 1..4, or 0 when cancelled.
    static int PodajStrefe(QWidget* parent);

    QLabel* Label1;
    QSpinBox* SpinEdit1;
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace korv::ui
