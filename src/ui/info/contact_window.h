// TAbout: the contact window. A frameless banner of the maker in Polish, English or German,
// links to its web pages and e-mail, and an "OK" box.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;

namespace korv::ui {

class LinkLabel;

class TAbout : public QDialog {
    Q_OBJECT
public:
    // As designed: every picture shown, the links with their English addresses.
    explicit TAbout(QWidget* parent);

    // About1Click: a contact window made anew from its design, set up for the language,
    // centred on the main window and shown modally.
    static void About1Click(QWidget* parent, int language);
    // Shows the language's picture (none for Russian, Czech, Slovak) and its addresses.
    void SetLanguage(int language);

    QFrame* Panel1;      // the white background
    QLabel* ImagePolski; // the banners: Polish, English, German
    QLabel* ImageAngielski;
    QLabel* ImageNiemiecki;
    LinkLabel* LabelWWW;     // the home page
    LinkLabel* LabelSupport; // the support page
    LinkLabel* LabelMail;    // the e-mail address
    QFrame* PanelOK;         // the "OK" box
    QLabel* LabelOK;

    // The "OK" box's background: Windows' scroll-bar colour, light green under the mouse.
    QColor OkBoxColour() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PaintOkBox(QColor colour);

    int language_ = 1;
};

} // namespace korv::ui
