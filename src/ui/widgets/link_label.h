// A label that acts as a link: underlined, a hand cursor, clicked on release, and a text colour
// that may change while the mouse is over it.
#pragma once

#include <QColor>
#include <QLabel>

namespace korv::ui {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(QWidget* parent, const char* name, QColor normal, QColor hover);

    QColor TextColour() const;

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Paint(QColor colour);

    QColor normal_, hover_;
};

} // namespace korv::ui
