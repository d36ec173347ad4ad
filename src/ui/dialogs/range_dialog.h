// TFormZakres: the range of apartments whose cards Delete range removes.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace korv::ui {

class LimitedSpinBox;

class TFormZakres : public QDialog {
    Q_OBJECT
public:
    explicit TFormZakres(QWidget* parent);

    // PodajZakres: od goes in as both boxes' start value (when within 0..255) and comes out,
    // with do_, as the range chosen; both -1 when cancelled.
    static void PodajZakres(QWidget* parent, int& od, int& do_);

    QLabel* Label1;
    QLabel* Label2;
    LimitedSpinBox* SpinEdit1; // From
    QLabel* Label3;
    LimitedSpinBox* SpinEdit2; // To; its lower limit follows From
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SpinEdit1Change(int from);
};

} // namespace korv::ui
