// A raised panel with one bold centred text over the window's page, painted at once: the
// information panel of the monitor and Find's "Close in the card..." notice.
#pragma once

#include <QFrame>
#include <QRect>
#include <QString>

namespace korv::ui {

QFrame* ShowNoticePanel(QWidget* parent, const char* name, QRect geometry, int pixelSize,
                        const QString& text);

} // namespace korv::ui
