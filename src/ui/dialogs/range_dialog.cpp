#include "ui/dialogs/range_dialog.h"

#include "i18n/message_slots.h"
#include "ui/catalogue_text.h"
#include "ui/widgets/limited_spin_box.h"

#include <QLabel>
#include <QPushButton>

namespace korv::ui {

TFormZakres::TFormZakres(QWidget* parent) : QDialog(parent) {
    setObjectName("FormZakres");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(293, 97);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(8, 6, 277, 18);
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(8, 34, 40, 24);
    SpinEdit1 = new LimitedSpinBox(this, 0, 255, 3);
    SpinEdit1->setObjectName("SpinEdit1");
    SpinEdit1->setGeometry(50, 34, 70, 24);
    Label3 = new QLabel(this);
    Label3->setObjectName("Label3");
    Label3->setGeometry(146, 34, 40, 24);
    SpinEdit2 = new LimitedSpinBox(this, 0, 255, 3);
    SpinEdit2->setObjectName("SpinEdit2");
    SpinEdit2->setGeometry(188, 34, 70, 24);
    Button1 = new QPushButton(this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(66, 66, 100, 25);
    Button2 = new QPushButton(this);
    Button2->setObjectName("Button2");
    Button2->setGeometry(176, 66, 100, 25);
    // A screen reader names each box by the label beside it.
    Label2->setBuddy(SpinEdit1);
    Label3->setBuddy(SpinEdit2);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TFormZakres::SpinEdit1Change);
}

void TFormZakres::SpinEdit1Change(int from) {
    // QSpinBox raises a value below its new minimum to it: To is never below From.
    SpinEdit2->setMinimum(from);
}

void TFormZakres::showEvent(QShowEvent* event) {
    setWindowTitle(Text(MsgRangeCaption));
    Label1->setText(Text(MsgRangeQuestion));
    Label2->setText(Text(MsgRangeFrom));
    Label3->setText(Text(MsgRangeTo));
    Button1->setText(Text(MsgAccept));
    Button2->setText(Text(MsgDialogCancel));
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TFormZakres::PodajZakres(QWidget* parent, int& od, int& do_) {
    TFormZakres dialog(parent);
    if (od >= 0 && od <= 255) {
        dialog.SpinEdit1->setValue(od);
        dialog.SpinEdit2->setValue(od);
    }
    if (dialog.exec() != QDialog::Accepted) {
        od = do_ = -1;
        return;
    }
    // A value still being typed counts as it will read once the box lets go of it.
    dialog.SpinEdit1->interpretText();
    dialog.SpinEdit2->interpretText();
    od = dialog.SpinEdit1->value();
    do_ = dialog.SpinEdit2->value();
}

} // namespace korv::ui
