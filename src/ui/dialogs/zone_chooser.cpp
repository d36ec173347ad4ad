#include "ui/dialogs/zone_chooser.h"

#include "ui/catalogue_text.h"
#include "ui/widgets/limited_spin_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace korv::ui {

TFormStrefa::TFormStrefa(QWidget* parent) : QDialog(parent) {
    setObjectName("FormStrefa");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(370, 94);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Label1->setGeometry(8, 6, 354, 46);
    SpinEdit1 = new LimitedSpinBox(this, 1, 4, 1);
    SpinEdit1->setObjectName("SpinEdit1");
    QFont f = SpinEdit1->font();
    f.setBold(true);
    f.setPixelSize(13);
    SpinEdit1->setFont(f);
    SpinEdit1->setGeometry(8, 60, 60, 26);
    Button1 = new QPushButton(this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(186, 60, 84, 26);
    Button1->setDefault(true);
    Button2 = new QPushButton(this);
    Button2->setObjectName("Button2");
    Button2->setGeometry(278, 60, 84, 26);
    Label1->setBuddy(SpinEdit1); // the question names the box for a screen reader
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormStrefa::showEvent(QShowEvent* event) {
    setWindowTitle(Text(54));
    Label1->setText(Text(55));
    Button1->setText(Text(56));
    Button2->setText(Text(57));
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
    QDialog::showEvent(event);
}

int TFormStrefa::PodajStrefe(QWidget* parent) {
    TFormStrefa dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    dialog.SpinEdit1->interpretText();
    return std::clamp(dialog.SpinEdit1->value(), 1, 4);
}

} // namespace korv::ui
