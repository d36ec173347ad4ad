// The three big Read / Save / Verify buttons: a bevelled panel with a centred label. Pressing
// either sinks the bevels and nudges the label one pixel, like a real key. Space and Enter press
// it as well, and assistive technology sees a push button named by its caption.
#pragma once

#include <QFrame>
#include <QKeySequence>

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
    // Runs the panel's command as a click does, when it is enabled.
    void click();
    // The menu item's shortcut that runs the same command, for screen readers to tell.
    void setShortcutHint(const QKeySequence& key) { shortcutHint_ = key; }
    QKeySequence shortcutHint() const { return shortcutHint_; }

signals:
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void press();
    void release(bool inside);

    QLabel* label_;
    bool pressed_ = false;
    QKeySequence shortcutHint_;
};

// The partner of a pressed control, found by name: the digit at the sixth character of
// "Panel1b" or "Label1b" names "Label1b" or "Panel1b". Empty when the name has no digit there.
QString PushPanelPartnerName(const QString& pressedName);

} // namespace korv::ui
