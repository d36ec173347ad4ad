#include "ui/info/contact_window.h"

#include "ui/info/banner.h"
#include "ui/info/desktop_links.h"
#include "ui/info/info_text_window.h"
#include "ui/info/maker_details.h"
#include "ui/widgets/link_label.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

namespace korv::ui {

namespace {

const QColor kLinkGrey(128, 128, 128);
const QColor kHoverGreen(180, 220, 70);
const QColor kScrollBarColour(200, 200, 200); // Windows' clScrollBar

QLabel* Picture(QWidget* parent, const char* name, BannerLanguage language) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setGeometry(1, 1, kBannerWidth, kBannerHeight);
    picture->setPixmap(DrawBanner(language));
    return picture;
}

} // namespace

TAbout::TAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("About");
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(658, 315);
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(rect());
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    ImagePolski = Picture(Panel1, "ImagePolski", BannerLanguage::Polish);
    ImageAngielski = Picture(Panel1, "ImageAngielski", BannerLanguage::English);
    ImageNiemiecki = Picture(Panel1, "ImageNiemiecki", BannerLanguage::German);
    LabelWWW = new LinkLabel(Panel1, "LabelWWW", kLinkGrey, kHoverGreen);
    LabelWWW->setText(maker::kHomePage);
    LabelWWW->setGeometry(28, 252, 400, 18);
    LabelSupport = new LinkLabel(Panel1, "LabelSupport", kLinkGrey, kHoverGreen);
    LabelSupport->setText(maker::kSupportEnglish);
    LabelSupport->setGeometry(28, 271, 400, 18);
    LabelMail = new LinkLabel(Panel1, "LabelMail", kLinkGrey, kHoverGreen);
    LabelMail->setText(maker::kMailEnglish);
    LabelMail->setGeometry(28, 290, 400, 18);
    PanelOK = new QFrame(Panel1);
    PanelOK->setObjectName("PanelOK");
    PanelOK->setFrameStyle(QFrame::Box | QFrame::Plain);
    PanelOK->setGeometry(578, 276, 68, 30);
    PanelOK->setAutoFillBackground(true);
    LabelOK = new QLabel("OK", PanelOK);
    LabelOK->setObjectName("LabelOK");
    LabelOK->setGeometry(PanelOK->rect());
    LabelOK->setAlignment(Qt::AlignCenter);
    QFont bold = LabelOK->font();
    bold.setBold(true);
    LabelOK->setFont(bold);
    QPalette text = LabelOK->palette();
    text.setColor(QPalette::WindowText, Qt::white);
    LabelOK->setPalette(text);
    PaintOkBox(kScrollBarColour);
    PanelOK->installEventFilter(this);
    LabelOK->installEventFilter(this);

    connect(LabelWWW, &LinkLabel::clicked, this, [] { OpenLink(QUrl(maker::kHomePage)); });
    connect(LabelSupport, &LinkLabel::clicked, this, [this] {
        OpenLink(QUrl(language_ == 0 ? maker::kSupportPolish : maker::kSupportEnglish));
    });
    connect(LabelMail, &LinkLabel::clicked, this, [this] {
        OpenLink(MailLink(language_ == 0 ? maker::kMailPolish : maker::kMailEnglish,
                          maker::kMailSubject));
    });
}

void TAbout::SetLanguage(int language) {
    language_ = language;
    for (QLabel* picture : {ImagePolski, ImageAngielski, ImageNiemiecki})
        picture->setVisible(false);
    switch (language) {
    case 0:
        ImagePolski->setVisible(true);
        LabelSupport->setText(maker::kSupportPolish);
        LabelMail->setText(maker::kMailPolish);
        break;
    case 1:
        ImageAngielski->setVisible(true);
        break;
    case 2:
        ImageNiemiecki->setVisible(true);
        break;
    default:
        break; // Russian, Czech, Slovak: the links and the box only
    }
}

QColor TAbout::OkBoxColour() const {
    return PanelOK->palette().color(QPalette::Window);
}

void TAbout::PaintOkBox(QColor colour) {
    QPalette p = PanelOK->palette();
    p.setColor(QPalette::Window, colour);
    PanelOK->setPalette(p);
}

bool TAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PanelOK || watched == LabelOK) {
        switch (event->type()) {
        case QEvent::Enter:
            PaintOkBox(kHoverGreen);
            break;
        case QEvent::Leave:
            // Leaving the label for the box around it is still inside the box.
            if (!PanelOK->underMouse())
                PaintOkBox(kScrollBarColour);
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                accept();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAbout::About1Click(QWidget* parent, int language) {
    TAbout window(parent);
    window.SetLanguage(language);
    ShowCentred(window, parent);
}

} // namespace korv::ui
