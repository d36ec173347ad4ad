// The three big Read / Save / Verify buttons: a bevelled panel with a centred label. Pressing
// either sinks the bevels and nudges the label one pixel, like a real key.
#pragma once

#include <QFrame>

class QLabel;

namespace korv::ui {

class PushPanel : public QFrame {
    Q_OBJECT
public:
    // n is the panel's digit: the panel is "Panel<n>b", its label "Label<n>b".
    PushPanel(int n, QWidget* parent);

    QLabel* label() const { return label_; }
    void setCaption(const QString& text);
    // Enabled panels show their caption in the window-text colour, disabled ones in grey.
    void setUsable(bool usable);
    bool isPressed() const { return pressed_; }

signals:
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void press();
    void release(bool inside);

    QLabel* label_;
    bool pressed_ = false;
};

// The partner of a pressed control, found by name: the digit at the sixth character of
// "Panel1b" or "Label1b" names "Label1b" or "Panel1b". Empty when the name has no digit there.
QString PushPanelPartnerName(const QString& pressedName);

} // namespace korv::ui
