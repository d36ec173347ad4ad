#include "ui/zone_chooser.h"

#include "i18n/catalogue.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace korv::ui {

namespace {

QString Text(int slot) {
    return QString::fromStdString(MessageText(slot));
}

// Typed values outside 1..4 go to the nearest limit; a text that is not a number reads as 1.
class ZoneBox : public QSpinBox {
public:
    explicit ZoneBox(QWidget* parent) : QSpinBox(parent) {
        setRange(1, 4);
        setValue(1);
        lineEdit()->setMaxLength(1);
        setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    }

protected:
    int valueFromText(const QString& text) const override {
        bool ok = false;
        const int v = text.trimmed().toInt(&ok);
        return ok ? std::clamp(v, 1, 4) : 1;
    }
    QValidator::State validate(QString& input, int&) const override {
        return input.size() <= 1 ? QValidator::Acceptable : QValidator::Invalid;
    }
};

} // namespace

TFormStrefa::TFormStrefa(QWidget* parent) : QDialog(parent) {
    setObjectName("FormStrefa");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(370, 94);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Label1->setGeometry(8, 6, 354, 46);
    SpinEdit1 = new ZoneBox(this);
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
