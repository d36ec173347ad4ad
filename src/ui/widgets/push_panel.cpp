#include "ui/widgets/push_panel.h"

#include "ui/widgets/accessible_widgets.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace korv::ui {

namespace {

// The label covers the whole panel, so it is the label that shows the keyboard focus: a dotted
// line inside the bevels, as the other buttons of the window show it.
class CaptionLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (!parentWidget()->hasFocus())
            return;
        QPainter p(this);
        p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(5, 5, -7, -7));
    }
};

} // namespace

QString PushPanelPartnerName(const QString& pressedName) {
    if (pressedName.size() < 6 || !pressedName.at(5).isDigit())
        return {};
    const QString n = pressedName.mid(5, 1);
    if (pressedName.startsWith("Panel"))
        return "Label" + n + "b";
    if (pressedName.startsWith("Label"))
        return "Panel" + n + "b";
    return {};
}

PushPanel::PushPanel(int n, QWidget* parent) : QFrame(parent), label_(new CaptionLabel(this)) {
    InstallAccessibleInterfaces();
    setObjectName(QString("Panel%1b").arg(n));
    label_->setObjectName(QString("Label%1b").arg(n));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    label_->setAlignment(Qt::AlignCenter);
    QFont f = label_->font();
    f.setPixelSize(21);
    f.setBold(true);
    label_->setFont(f);
    label_->installEventFilter(this);
    installEventFilter(this);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void PushPanel::click() {
    if (isEnabled())
        emit clicked();
}

void PushPanel::keyPressEvent(QKeyEvent* event) {
    // Space presses and releasing it runs the command, as on a push button; Enter runs it at once.
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat() && isEnabled())
            press();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        click();
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

void PushPanel::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        release(true);
        return;
    }
    QFrame::keyReleaseEvent(event);
}

void PushPanel::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    label_->update();
}

void PushPanel::focusOutEvent(QFocusEvent* event) {
    // Focus leaving with Space still down does not run the command.
    release(false);
    QFrame::focusOutEvent(event);
    label_->update();
}

void PushPanel::setCaption(const QString& text) {
    label_->setText(text);
}

void PushPanel::setUsable(bool usable) {
    setEnabled(usable);
    QPalette p = label_->palette();
    const QColor colour =
        usable ? palette().color(QPalette::Active, QPalette::WindowText) : QColor(128, 128, 128);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::WindowText, colour);
    label_->setPalette(p);
}

void PushPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const int shift = pressed_ ? 1 : 0;
    label_->setGeometry(shift, shift, width(), height());
}

void PushPanel::press() {
    if (pressed_)
        return;
    pressed_ = true;
    // The partner is looked up by name, so a panel and its label always move together.
    const QString partner = PushPanelPartnerName(label_->objectName());
    if (auto* panel = parentWidget()->findChild<QFrame*>(partner))
        panel->setFrameShadow(QFrame::Sunken);
    label_->move(label_->pos() + QPoint(1, 1));
}

void PushPanel::release(bool inside) {
    if (!pressed_)
        return;
    pressed_ = false;
    setFrameShadow(QFrame::Raised);
    label_->move(label_->pos() - QPoint(1, 1));
    if (inside && isEnabled())
        emit clicked();
}

bool PushPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != this && watched != label_)
        return QFrame::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton && isEnabled())
            press();
        return me->button() == Qt::LeftButton;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton)
            return false;
        const QPoint p = mapFromGlobal(me->globalPosition().toPoint());
        release(rect().contains(p));
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace korv::ui
