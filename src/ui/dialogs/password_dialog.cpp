#include "ui/dialogs/password_dialog.h"

#include "commands/password_commands.h"
#include "core/digits.h"
#include "i18n/message_slots.h"
#include "ui/catalogue_text.h"
#include "ui/dialogs/group_box_dialog.h"
#include "ui/widgets/fit_caption.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace korv::ui {

PasswordDialog::PasswordDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("Form_Panel_Edycji");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    GroupBox3 = new QGroupBox(this);
    GroupBox3->setObjectName("GroupBox3");
    GroupBox3->resize(253, 129);
    Label239 = new QLabel(GroupBox3);
    Label239->setObjectName("Label239");
    Label239->setGeometry(16, 20, 220, 20);
    D1_Edit_Parametry_Haslo_Instalatora = new QLineEdit(GroupBox3);
    D1_Edit_Parametry_Haslo_Instalatora->setObjectName("D1_Edit_Parametry_Haslo_Instalatora");
    D1_Edit_Parametry_Haslo_Instalatora->setGeometry(16, 46, 40, 24);
    D1_Edit_Parametry_Haslo_Instalatora->setMaxLength(4);
    D1_Edit_Parametry_Haslo_Instalatora->setText("5172");
    // Typing is filtered key by key below; the validator keeps pasted text to digits as well.
    D1_Edit_Parametry_Haslo_Instalatora->setValidator(new QRegularExpressionValidator(
        QRegularExpression("[0-9]{0,4}"), D1_Edit_Parametry_Haslo_Instalatora));
    D1_Edit_Parametry_Haslo_Instalatora->installEventFilter(this);
    Label239->setBuddy(D1_Edit_Parametry_Haslo_Instalatora); // names the box for screen readers
    D1_Button_Zatwierdz_zmiane_Parametrow = new QPushButton(GroupBox3);
    D1_Button_Zatwierdz_zmiane_Parametrow->setObjectName("D1_Button_Zatwierdz_zmiane_Parametrow");
    D1_Button_Zatwierdz_zmiane_Parametrow->setGeometry(16, 86, 128, 28);
    D1_Button_Zatwierdz_zmiane_Parametrow->setAutoDefault(false);
    D1_Button_Anuluj_zmiane_Parametrow = new QPushButton(GroupBox3);
    D1_Button_Anuluj_zmiane_Parametrow->setObjectName("D1_Button_Anuluj_zmiane_Parametrow");
    D1_Button_Anuluj_zmiane_Parametrow->setGeometry(152, 86, 85, 28);
    // Enter cancels: a stray Enter must never write a half-typed password into a module.
    D1_Button_Anuluj_zmiane_Parametrow->setDefault(true);
    connect(D1_Button_Zatwierdz_zmiane_Parametrow, &QPushButton::clicked, this,
            &PasswordDialog::D1_Button_Zatwierdz_zmiane_ParametrowClick);
    connect(D1_Button_Anuluj_zmiane_Parametrow, &QPushButton::clicked, this, &QDialog::reject);
    FitDialogToGroup(*this, *GroupBox3);
}

void PasswordDialog::showEvent(QShowEvent* event) {
    CentreOnParent(*this);
    D1_Edit_Parametry_Haslo_Instalatora->setFocus();
    D1_Button_Anuluj_zmiane_Parametrow->setText(Text(MsgCancel));
    if (changeMode) {
        Label239->setText(Text(MsgPasswordChangeLabel));
        D1_Button_Zatwierdz_zmiane_Parametrow->setText(Text(MsgPasswordWriteButton));
        setWindowTitle(Text(MsgPasswordChange));
    } else {
        Label239->setText(Text(MsgPasswordEntryLabel));
        setWindowTitle(Text(MsgPasswordEntryLabel));
        D1_Button_Zatwierdz_zmiane_Parametrow->setText(Text(MsgPasswordOk));
    }
    FitCaptions(GroupBox3);
    QDialog::showEvent(event);
}

bool PasswordDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == D1_Edit_Parametry_Haslo_Instalatora && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool backspace = key->key() == Qt::Key_Backspace;
        const bool digit = text.size() == 1 && AllDigits(text.toStdString());
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        // Enter goes on to the dialog (Cancel) and Tab to the buttons; every other character
        // key but digits and Backspace is dropped. Keys without a character (arrows) keep
        // moving the cursor.
        if (!backspace && !digit && !enter && !tab && !text.isEmpty())
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PasswordDialog::D1_Button_Zatwierdz_zmiane_ParametrowClick() {
    const std::string padded =
        PadPassword(D1_Edit_Parametry_Haslo_Instalatora->text().toStdString());
    D1_Edit_Parametry_Haslo_Instalatora->setText(QString::fromStdString(padded));
    accept();
}

} // namespace korv::ui
