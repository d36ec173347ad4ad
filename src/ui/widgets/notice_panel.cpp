#include "ui/widgets/notice_panel.h"

#include <QLabel>

namespace korv::ui {

QFrame* ShowNoticePanel(QWidget* parent, const char* name, QRect geometry, int pixelSize,
                        const QString& text) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(geometry);
    auto* label = new QLabel(panel);
    label->setObjectName(QString(name) + "Label");
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(true);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    label->setGeometry(panel->rect());
    label->setText(text);
    panel->show();
    panel->raise();
    panel->repaint();
    return panel;
}

} // namespace korv::ui
