#include "ui/dialogs/card_dialog.h"

#include "commands/card_commands.h"
#include "i18n/message_slots.h"
#include "ui/catalogue_text.h"
#include "ui/dialogs/message_box.h"
#include "ui/widgets/digits_validator.h"
#include "ui/widgets/limited_spin_box.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace korv::ui {

namespace {

constexpr int kAutoConfirmMs = 100;

QLabel* BoldLabel(QWidget* parent, const char* name, QRect where) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(where);
    label->setAlignment(Qt::AlignCenter);
    QFont f = label->font();
    f.setBold(true);
    f.setPixelSize(13); // 10 points on the design's 96-dpi screen
    label->setFont(f);
    return label;
}

QPushButton* PlainButton(QWidget* parent, const char* name, QRect where) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setGeometry(where);
    // Neither Enter nor Escape may close this dialog: a reader's keyboard wedge types Enter.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

TFormParametryKarty::TFormParametryKarty(QWidget* parent, const CardDialogSetup& setup)
    : QDialog(parent), setup_(setup) {
    setObjectName("FormParametryKarty");
    setFixedSize(371, 176);
    QFont f = font();
    f.setPixelSize(11); // 8 points on the design's 96-dpi screen
    setFont(f);
    Label_karta_dla_numeru = BoldLabel(this, "Label_karta_dla_numeru", {8, 6, 355, 20});
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(8, 34, 110, 22);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setGeometry(120, 34, 150, 22);
    // The limit is for typing: a longer number from a card file is shown and kept whole.
    Edit1->setValidator(new DigitsValidator(Edit1, kCardNumberTypedLength));
    Edit1->installEventFilter(this);
    Label2 = new QLabel("B1:", this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(280, 34, 24, 22);
    Label2->setVisible(false);
    SpinEdit1 = new LimitedSpinBox(this, 0, 1, 1);
    SpinEdit1->setObjectName("SpinEdit1");
    SpinEdit1->setGeometry(306, 34, 50, 22);
    SpinEdit1->setVisible(false);
    Label4 = new QLabel(this);
    Label4->setObjectName("Label4");
    Label4->setGeometry(8, 64, 110, 22);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName("Edit2");
    Edit2->setGeometry(120, 64, 243, 22);
    Label_przyloz_karte = BoldLabel(this, "Label_przyloz_karte", {8, 94, 355, 20});
    Button1 = PlainButton(this, "Button1", {8, 140, 110, 28});
    Button2 = PlainButton(this, "Button2", {130, 140, 110, 28});
    Button_czytaj_karte = PlainButton(this, "Button_czytaj_karte", {252, 140, 111, 28});
    Timer_karta = new QTimer(this);
    Timer_karta->setObjectName("Timer_karta");
    Timer_karta->setInterval(kAutoConfirmMs);
    Timer_karta->setSingleShot(true);
    Timer_karta->setTimerType(Qt::PreciseTimer); // a coarse timer may fire a few ms early
    // A screen reader names each box by the label beside it.
    Label1->setBuddy(Edit1);
    Label2->setBuddy(SpinEdit1);
    Label4->setBuddy(Edit2);
    setTabOrder(Edit1, SpinEdit1);
    setTabOrder(SpinEdit1, Edit2);
    setTabOrder(Edit2, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button_czytaj_karte);
    connect(Button1, &QPushButton::clicked, this, &TFormParametryKarty::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button_czytaj_karte, &QPushButton::clicked, this, &TFormParametryKarty::Edit1DblClick);
    connect(Edit1, &QLineEdit::textChanged, this, &TFormParametryKarty::Edit1Change);
    connect(Timer_karta, &QTimer::timeout, this, [this] {
        Timer_karta->stop();
        Button1->click();
    });
}

void TFormParametryKarty::showEvent(QShowEvent* event) {
    setWindowTitle(Text(MsgCardCaption));
    Label1->setText(Text(MsgCardNumberLabel));
    Label4->setText(Text(MsgDescriptionLabel));
    Button2->setText(Text(MsgDialogCancel));
    Label_karta_dla_numeru->setText(Text(MsgCardForApartment) + QString::number(setup_.apartment));
    Button_czytaj_karte->setText(Text(MsgReadCardButton));
    Timer_karta->stop();
    Button_czytaj_karte->setEnabled(setup_.moduleAnswers);
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
    QDialog::showEvent(event);
    // Activation: the automatic mode reads at once, once the dialog is on screen.
    if (setup_.autoReadAdd)
        QTimer::singleShot(0, this, &TFormParametryKarty::Edit1DblClick);
}

void TFormParametryKarty::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept(); // bound to no button
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool TFormParametryKarty::eventFilter(QObject* watched, QEvent* event) {
    // A double click in the number box reads even when the Read button is disabled.
    if (watched == Edit1 && event->type() == QEvent::MouseButtonDblClick) {
        Edit1DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormParametryKarty::ShowReading(bool reading) {
    if (reading == reading_)
        return;
    reading_ = reading;
    Button_czytaj_karte->setEnabled(!reading && setup_.moduleAnswers);
    if (reading) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        normalPalette_ = Edit1->palette();
        QPalette red = normalPalette_;
        red.setColor(QPalette::Base, Qt::red);
        Edit1->setPalette(red);
        Label_przyloz_karte->setText(Text(MsgInsertCard));
    } else {
        Edit1->setPalette(normalPalette_);
        QApplication::restoreOverrideCursor();
    }
}

TFormParametryKarty::~TFormParametryKarty() {
    if (reading_)
        ShowReading(false);
}

void TFormParametryKarty::Edit1DblClick() {
    if (!setup_.readCard || reading_)
        return;
    ShowReading(true);
    setup_.readCard(this, [this](const std::string& numer) {
        Label_przyloz_karte->setText(QString());
        ShowReading(false);
        if (!numer.empty())
            Edit1->setText(QString::fromStdString(numer));
    });
}

void TFormParametryKarty::Edit1Change(const QString& text) {
    // Started once; a running timer is not restarted by further keystrokes.
    if (setup_.autoReadAdd && !text.isEmpty() && !Timer_karta->isActive())
        Timer_karta->start();
}

void TFormParametryKarty::Button1Click() {
    // A card the register may not take is refused here, where it was typed, so the person
    // mends it with the dialog still open. An empty number box confirms "no card".
    const std::string numer = Edit1->text().toStdString();
    if (!numer.empty()) {
        QLineEdit* box = Edit1;
        std::optional<std::string> why = CardNumberRefusalText(numer);
        if (!why) {
            box = Edit2;
            why = DescriptionRefusalText(Edit2->text().toStdString());
        }
        if (why) {
            ShowMessageBox(this, QString::fromStdString(*why), windowTitle(), MbWarning);
            box->setFocus();
            return;
        }
    }
    accept();
}

TKarta TFormParametryKarty::Result(int confirmed) const {
    if (confirmed != QDialog::Accepted || Edit1->text().isEmpty())
        return TKarta{kNoCard, false, ""};
    return TKarta{Edit1->text().toStdString(), SpinEdit1->value() == 1,
                  Edit2->text().toStdString()};
}

TKarta TFormParametryKarty::DodajKarte(QWidget* parent, const CardDialogSetup& setup) {
    TFormParametryKarty dialog(parent, setup);
    dialog.Button1->setText(Text(MsgAddButton));
    return dialog.Result(dialog.exec());
}

TKarta TFormParametryKarty::ZmienKarte(QWidget* parent, const TKarta& aKarta,
                                       const CardDialogSetup& setup) {
    TFormParametryKarty dialog(parent, setup);
    dialog.Button1->setText(Text(MsgChangeButton));
    dialog.Edit1->setText(QString::fromStdString(aKarta.numer));
    dialog.SpinEdit1->setValue(aKarta.B1 ? 1 : 0);
    dialog.Edit2->setText(QString::fromStdString(aKarta.opis));
    return dialog.Result(dialog.exec());
}

} // namespace korv::ui
