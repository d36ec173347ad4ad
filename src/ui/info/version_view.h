// The version check: the program's version in the title and the maker's version page, fetched
// in the background and shown as plain rich text. Its object names are those of the "editing
// panel" (Form_Panel_Edycji) that once showed it and the password box in one window.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

class QGroupBox;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QTextBrowser;
class QTimer;

namespace korv::ui {

class VersionView : public QDialog {
    Q_OBJECT
public:
    explicit VersionView(QWidget* parent);

    // The page to open, and how long it may take before the view says it failed.
    QUrl versionPage;
    int pageTimeoutMs = 8000;

    QGroupBox* GroupBox5 = nullptr;
    QGroupBox* GroupBox6 = nullptr;
    QTextBrowser* WebBrowser1 = nullptr;
    QPushButton* Button_sprawdz_wersje = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Button_sprawdz_wersjeClick();
    void OpenVersionPage();
    void PageArrived(QNetworkReply* reply);
    void PageFailed();
    // Forgets a request still under way, so a late answer changes nothing.
    void DropPending();

    QNetworkAccessManager* network_ = nullptr;
    QNetworkReply* pending_ = nullptr;
    QTimer* pageTimer_ = nullptr;
};

// The program's own version for the view's title, from the build.
QString ProgramVersion();

} // namespace korv::ui
