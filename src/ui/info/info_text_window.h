// The help window (TForm_Help) and the USB cable instructions (TO_USB): a fixed text in Polish
// (Memo1) and in English (Memo2), one shown by the language, with OK and Drukuj ("Print", its
// caption in the language).
#pragma once

#include <QDialog>
#include <QPrinter>

#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPrintDialog;
class QPushButton;
class QTextEdit;

namespace korv::ui {

class LinkLabel;

class InfoTextWindow : public QDialog {
    Q_OBJECT
public:
    // Asks where to print; true to print. Tests replace it; by default the print dialog.
    using PrinterQuestion = std::function<bool(QPrinter&, InfoTextWindow&)>;

    // Memo1 shown for Polish (language 0), Memo2 for every other language; the captions of our
    // own follow.
    virtual void ShowLanguage(int language);
    // Drukuj: the print dialog; when confirmed the language's text, as one document without a
    // title. Cancelled: nothing.
    void DrukujClick();
    // The print dialog as Drukuj shows it: pages 1 to 1.
    std::unique_ptr<QPrintDialog> MakePrintDialog();

    QLabel* Label1;        // "Info"
    QPlainTextEdit* Memo1; // Polish
    QPlainTextEdit* Memo2; // English
    QPushButton* ButtonOK;
    QPushButton* ButtonDrukuj;
    QTextEdit* RichEdit1; // hidden; holds the text only while it prints
    QPrinter printer;
    PrinterQuestion askPrinter;

protected:
    InfoTextWindow(QWidget* parent, const char* name, const QString& title, QSize client,
                   const QString& polishText, const QString& englishText);

private:
    int language_ = 0;
};

class TForm_Help : public InfoTextWindow {
    Q_OBJECT
public:
    explicit TForm_Help(QWidget* parent);

    void ShowLanguage(int language) override;

    QLabel* Label2;    // "Instrukcja:" ("Instructions:")
    LinkLabel* Label3; // the login page with the full instructions
};

class TO_USB : public InfoTextWindow {
    Q_OBJECT
public:
    explicit TO_USB(QWidget* parent);
};

// Centres the window on the main window and shows it modally.
void ShowCentred(QDialog& dialog, QWidget* over);

} // namespace korv::ui
