#include "ui/panel_edycji.h"

#include "commands/password_commands.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "i18n/own_texts.h"
#include "ui/catalogue_text.h"
#include "ui/fit_caption.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTextBrowser>
#include <QTimer>

namespace korv::ui {

namespace {

// Said inside the view when the page cannot be had.
QString PageUnavailableText() {
    return QString::fromStdString(OwnText(OwnTextName::VersionPageUnavailable, LanguageIndex()));
}

// The version page is small; anything larger is not it.
constexpr qint64 kMaxPageBytes = 256 * 1024;

} // namespace

QString ProgramVersion() {
    return QStringLiteral(KORV_VERSION);
}

TForm_Panel_Edycji::TForm_Panel_Edycji(QWidget* parent) : QDialog(parent) {
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
            &TForm_Panel_Edycji::D1_Button_Zatwierdz_zmiane_ParametrowClick);
    connect(D1_Button_Anuluj_zmiane_Parametrow, &QPushButton::clicked, this, &QDialog::reject);

    GroupBox5 = new QGroupBox(this);
    GroupBox5->setObjectName("GroupBox5");
    GroupBox5->resize(311, 219);
    GroupBox6 = new QGroupBox(GroupBox5);
    GroupBox6->setObjectName("GroupBox6");
    GroupBox6->setGeometry(16, 16, 278, 150);
    WebBrowser1 = new QTextBrowser(GroupBox6);
    WebBrowser1->setObjectName("WebBrowser1");
    // Inside the frame's border, so nothing of the page is cut off.
    WebBrowser1->setGeometry(4, 4, 270, 142);
    WebBrowser1->setOpenLinks(false);
    Button_sprawdz_wersje = new QPushButton(QStringLiteral("OK"), GroupBox5);
    Button_sprawdz_wersje->setObjectName("Button_sprawdz_wersje");
    Button_sprawdz_wersje->setGeometry(118, 178, 75, 28);
    connect(Button_sprawdz_wersje, &QPushButton::clicked, this,
            &TForm_Panel_Edycji::Button_sprawdz_wersjeClick);

    network_ = new QNetworkAccessManager(this);
    pageTimer_ = new QTimer(this);
    pageTimer_->setSingleShot(true);
    connect(pageTimer_, &QTimer::timeout, this, &TForm_Panel_Edycji::PageFailed);
}

void TForm_Panel_Edycji::Ustaw_Formatke_Panelow_Edycji(int Nr_Panelu) {
    tag_ = Nr_Panelu;
    auto* box = findChild<QGroupBox*>(QStringLiteral("GroupBox%1").arg(Nr_Panelu),
                                      Qt::FindDirectChildrenOnly);
    if (!box)
        return;
    setFixedSize(box->width() + 16, box->height() + 12);
    box->move(8, 4);
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
}

void TForm_Panel_Edycji::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TForm_Panel_Edycji::FormShow() {
    const bool password = tag_ == kPasswordMode;
    GroupBox3->setVisible(password);
    GroupBox5->setVisible(!password);
    if (password) {
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
    } else {
        WebBrowser1->setAccessibleName(Text(18)); // "Check version"
        OpenVersionPage();
    }
}

bool TForm_Panel_Edycji::eventFilter(QObject* watched, QEvent* event) {
    if (watched == D1_Edit_Parametry_Haslo_Instalatora && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool backspace = key->key() == Qt::Key_Backspace;
        const bool digit = text.size() == 1 && text[0] >= '0' && text[0] <= '9';
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

void TForm_Panel_Edycji::D1_Button_Zatwierdz_zmiane_ParametrowClick() {
    const std::string padded =
        PadPassword(D1_Edit_Parametry_Haslo_Instalatora->text().toStdString());
    D1_Edit_Parametry_Haslo_Instalatora->setText(QString::fromStdString(padded));
    accept();
}

void TForm_Panel_Edycji::DropPending() {
    pageTimer_->stop();
    if (!pending_)
        return;
    pending_->disconnect(this);
    pending_->abort();
    pending_->deleteLater();
    pending_ = nullptr;
}

void TForm_Panel_Edycji::OpenVersionPage() {
    DropPending();
    WebBrowser1->clear();
    QNetworkRequest request(versionPage);
    request.setTransferTimeout(pageTimeoutMs);
    pending_ = network_->get(request);
    connect(pending_, &QNetworkReply::finished, this,
            [this, reply = pending_] { PageArrived(reply); });
    pageTimer_->start(pageTimeoutMs);
}

void TForm_Panel_Edycji::PageArrived(QNetworkReply* reply) {
    if (reply != pending_)
        return;
    pageTimer_->stop();
    pending_ = nullptr;
    reply->deleteLater();
    const QByteArray body = reply->read(kMaxPageBytes);
    if (reply->error() != QNetworkReply::NoError || body.isEmpty()) {
        WebBrowser1->setPlainText(PageUnavailableText());
        return;
    }
    // Shown as rich text: no scripts, no remote resources are fetched by the view.
    WebBrowser1->setHtml(QString::fromUtf8(body));
}

void TForm_Panel_Edycji::PageFailed() {
    DropPending();
    WebBrowser1->setPlainText(PageUnavailableText());
}

void TForm_Panel_Edycji::Button_sprawdz_wersjeClick() {
    DropPending();
    WebBrowser1->clear(); // "about:blank"
    accept();
}

} // namespace korv::ui
