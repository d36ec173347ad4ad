// TForm_Panel_Edycji ("editing panel"): one small dialog with two modes. Mode 3 asks for the
// installer password (to change it, or because the module refused the one we hold); mode 5
// shows the program's version and the version-check page.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

class QGroupBox;
class QLabel;
class QLineEdit;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QTextBrowser;
class QTimer;

namespace korv::ui {

inline constexpr int kPasswordMode = 3;
inline constexpr int kVersionMode = 5;

class TForm_Panel_Edycji : public QDialog {
    Q_OBJECT
public:
    explicit TForm_Panel_Edycji(QWidget* parent);

    // Sizes the window around GroupBox3 or GroupBox5 and remembers the mode in the tag.
    void Ustaw_Formatke_Panelow_Edycji(int Nr_Panelu);
    int tag() const { return tag_; }

    // Mode 3: change mode (true) or entry mode. Read when the panel shows.
    bool changeMode = false;
    // Mode 5: the page to open, and how long it may take before the panel says it failed.
    QUrl versionPage;
    int pageTimeoutMs = 8000;

    QGroupBox* GroupBox3 = nullptr;
    QLabel* Label239 = nullptr;
    QLineEdit* D1_Edit_Parametry_Haslo_Instalatora = nullptr;
    QPushButton* D1_Button_Zatwierdz_zmiane_Parametrow = nullptr;
    QPushButton* D1_Button_Anuluj_zmiane_Parametrow = nullptr;

    QGroupBox* GroupBox5 = nullptr;
    QGroupBox* GroupBox6 = nullptr;
    QTextBrowser* WebBrowser1 = nullptr;
    QPushButton* Button_sprawdz_wersje = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void D1_Button_Zatwierdz_zmiane_ParametrowClick();
    void Button_sprawdz_wersjeClick();
    void OpenVersionPage();
    void PageArrived(QNetworkReply* reply);
    void PageFailed();
    // Forgets a request still under way, so a late answer changes nothing.
    void DropPending();

    int tag_ = 0;
    QNetworkAccessManager* network_ = nullptr;
    QNetworkReply* pending_ = nullptr;
    QTimer* pageTimer_ = nullptr;
};

// The program's own version for the version panel's caption, from the build.
QString ProgramVersion();

} // namespace korv::ui
