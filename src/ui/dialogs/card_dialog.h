// TFormParametryKarty: one card's number and description, for Add and Change. Its Read takes
// the number from a card held to the module's reader; in the automatic read-and-add mode it
// reads as it opens and confirms itself once a number is in.
#pragma once

#include "core/card_register.h"

#include <QDialog>
#include <QPalette>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace korv::ui {

class LimitedSpinBox;

// What the dialog takes from the window when it is shown.
struct CardDialogSetup {
    int apartment = 0;          // CurrentApartment, for the heading
    bool autoReadAdd = false;   // AutoReadAdd
    bool moduleAnswers = false; // ConnectionMessage is 31: the Read button works
    // Reads the card at the module's reader without blocking: got receives the number ("" for
    // none) on the window's thread, and only while the dialog (the first argument) exists.
    std::function<void(QObject*, std::function<void(const std::string&)>)> readCard;
};

class TFormParametryKarty : public QDialog {
    Q_OBJECT
public:
    TFormParametryKarty(QWidget* parent, const CardDialogSetup& setup);
    ~TFormParametryKarty() override;

    // A new card; numer "-1" when none was given (cancelled, or confirmed with no number).
    static TKarta DodajKarte(QWidget* parent, const CardDialogSetup& setup);
    // Changes to aKarta, whose B1 the dialog carries along unseen; the same result rule.
    static TKarta ZmienKarte(QWidget* parent, const TKarta& aKarta, const CardDialogSetup& setup);

    // Button1Click: confirms, unless the number is one no module holds or the description has
    // characters a card file cannot carry; then it says so and the dialog stays open.
    void Button1Click();
    // Edit1DblClick: the card at the reader into Edit1 (also Button_czytaj_karte). The dialog
    // stays open and painted while the runner waits for the card.
    void Edit1DblClick();
    // How the dialog looks while it waits for a card: hourglass, red number box, the prompt.
    void ShowReading(bool reading);

    QLabel* Label_karta_dla_numeru;
    QLabel* Label1;
    QLineEdit* Edit1; // card number: digits only, at most 16
    QLabel* Label2;
    LimitedSpinBox* SpinEdit1; // B1, never shown
    QLabel* Label4;
    QLineEdit* Edit2; // description
    QLabel* Label_przyloz_karte;
    QPushButton* Button1; // confirms: Add or Change
    QPushButton* Button2; // cancels
    QPushButton* Button_czytaj_karte;
    QTimer* Timer_karta; // the automatic confirmation, 100 ms
    bool reading() const { return reading_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TKarta Result(int confirmed) const;
    void Edit1Change(const QString& text);

    CardDialogSetup setup_;
    QPalette normalPalette_;
    bool reading_ = false;
};

} // namespace korv::ui
