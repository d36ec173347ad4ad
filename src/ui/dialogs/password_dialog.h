// The installer-password dialog: asked to change the password, or because the module refused
// the one the program holds. Its object names are those of the "editing panel"
// (Form_Panel_Edycji) that once showed it and the version page in one window.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korv::ui {

class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    explicit PasswordDialog(QWidget* parent);

    // Change mode (true) or entry mode; read when the dialog shows.
    bool changeMode = false;

    QGroupBox* GroupBox3 = nullptr;
    QLabel* Label239 = nullptr;
    QLineEdit* D1_Edit_Parametry_Haslo_Instalatora = nullptr;
    QPushButton* D1_Button_Zatwierdz_zmiane_Parametrow = nullptr;
    QPushButton* D1_Button_Anuluj_zmiane_Parametrow = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void D1_Button_Zatwierdz_zmiane_ParametrowClick();
};

} // namespace korv::ui
