#include "ui/info/version_view.h"

#include "i18n/catalogue.h"
#include "i18n/own_texts.h"
#include "ui/catalogue_text.h"
#include "ui/dialogs/group_box_dialog.h"

#include <QGroupBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPushButton>
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

VersionView::VersionView(QWidget* parent) : QDialog(parent) {
    setObjectName("Form_Panel_Edycji");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

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
            &VersionView::Button_sprawdz_wersjeClick);
    FitDialogToGroup(*this, *GroupBox5);

    network_ = new QNetworkAccessManager(this);
    pageTimer_ = new QTimer(this);
    pageTimer_->setSingleShot(true);
    connect(pageTimer_, &QTimer::timeout, this, &VersionView::PageFailed);
}

void VersionView::showEvent(QShowEvent* event) {
    CentreOnParent(*this);
    WebBrowser1->setAccessibleName(Text(18)); // "Check version"
    OpenVersionPage();
    QDialog::showEvent(event);
}

void VersionView::DropPending() {
    pageTimer_->stop();
    if (!pending_)
        return;
    pending_->disconnect(this);
    pending_->abort();
    pending_->deleteLater();
    pending_ = nullptr;
}

void VersionView::OpenVersionPage() {
    DropPending();
    WebBrowser1->clear();
    QNetworkRequest request(versionPage);
    request.setTransferTimeout(pageTimeoutMs);
    pending_ = network_->get(request);
    connect(pending_, &QNetworkReply::finished, this,
            [this, reply = pending_] { PageArrived(reply); });
    pageTimer_->start(pageTimeoutMs);
}

void VersionView::PageArrived(QNetworkReply* reply) {
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

void VersionView::PageFailed() {
    DropPending();
    WebBrowser1->setPlainText(PageUnavailableText());
}

void VersionView::Button_sprawdz_wersjeClick() {
    DropPending();
    WebBrowser1->clear(); // "about:blank"
    accept();
}

} // namespace korv::ui
