// The main window: the register of one zone as a grid, the selected apartment's number to
// dial and cards, the total, the module, card and password controls, the status line and the
// menu. It owns the application state; commands work on that state through QtUi.
#pragma once

#include "commands/app_state.h"
#include "commands/command_runner.h"
#include "commands/edit_context.h"
#include "commands/module_context.h"
#include "commands/module_journal.h"
#include "commands/ui_seam.h"
#include "link/clock.h"
#include "link/ftdi.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QActionGroup;
class QPrinter;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTabWidget;
class QTimer;
class QTreeWidget;

namespace korv::ui {

class ApartmentBox;
class ApartmentGrid;
class PushPanel;
class QtUi;
class PasswordDialog;
class VersionView;
class UiBridge;

// The window's write as a journaled body: the cards it sent, the register's count.
ModuleJournal::Facts WriteForJournal(ModuleContext& ctx);

struct TMainOptions {
    // The settings file beside the program, and where the language goes when that folder
    // cannot be written.
    std::string settingsPath;
    std::string userSettingsPath;
};

class TMain : public QMainWindow {
    Q_OBJECT
public:
    // The client's design size in pixels: the page and the status line under it.
    static constexpr int kClientWidth = 868;
    static constexpr int kClientHeight = 625;

    explicit TMain(const TMainOptions& options, QWidget* parent = nullptr);
    ~TMain() override;

    AppState& state() { return state_; }
    const AppState& state() const { return state_; }
    Ui& ui();
    QtUi& qtUi() { return *qtUi_; }
    const std::string& settingsPath() const { return settingsPath_; }

    // Views.
    void ShowGrid();
    void ShowApartment();
    void ShowCardCount(int n);
    void RefreshViews();
    int GridMode() const;

    // The command runner: the one owner of the cable and its one busy state. A job works on
    // a copy of the state on the runner's thread; apply, on the window's thread once it
    // ended, takes what the job found back into the window's state. False when it could not
    // start (a command holds the cable).
    bool StartJob(JobKind kind, std::function<void(ModuleContext&)> body,
                  std::function<void(AppState& job)> apply = {});
    CommandRunner& runner() { return *runner_; }
    // Puts another cable port in place (tests, benchmarks): once no job runs, a new runner
    // owns it.
    void UsePort(std::unique_ptr<link::TBEXFTDI> port);
    // A command (not a monitor tick) holds the cable, or waits for a tick to let go of it.
    bool CommandRunning() const;
    // Every control's enabling from the connection, the register and the runner, in one place.
    void UpdateEnabling();

    // Language.
    void ApplyLanguage();
    void SelectLanguage(int language); // a language menu item chosen
    void SaveLanguage();

    // The apartment box: set it and run its value-changed rule.
    void SetApartment(int apartment);
    void SpinEdit1Change();

    // Status-line progress display.
    void ShowProgress(int position, int maximum, const QString& label);
    void HideProgress();

    // One connection-monitor tick.
    void TimerCheckTimer();

    // The module: the commands' context, the monitor's row, the panels.
    // What the commands that run on the window's thread work over.
    EditContext Edit();
    void ShowConnection(const ConnectionView& view);
    // The ZADA controls from the state (after a read or a verify brought page 1).
    void ShowZadaSettings();
    void TakeZadaSettings(const AppState& job);
    // The information panel for a device that needs another application.
    void ShowInfoPanel(bool show);
    std::optional<std::string> AskPassword(bool change);
    void SprWersj1Click();
    // The Info menu's help and USB windows (the contact window: TAbout::About1Click).
    void help1Click();
    void OUSB1Click();
    void Dziennik1Click();
    ModuleJournal& journal() { return *journal_; }
    // A module command as a job that leaves its line in the journal.
    bool StartJournaledJob(JobKind kind, ModuleJournal::Body body,
                           std::function<void(AppState& job)> apply = {});
    // One of each for the run, so the password box keeps its text between showings.
    PasswordDialog& PasswordPanel();
    VersionView& VersionPanel();

    // The card group: the dialogs, the list's selection, Find's notice panel.
    TKarta AskCard(const std::optional<TKarta>& card);
    // The card dialog's Read, as a job of the runner: got receives the number ("" for none)
    // on the window's thread, unless the dialog is gone by then.
    void ReadCardForDialog(QObject* dialog, std::function<void(const std::string&)> got);
    std::pair<int, int> AskRange(int start);
    int SelectedCardRow() const;
    void ShowCardNotice(bool show);

    // Push-panel enabling and caption colour together.
    void SetModulePanelsUsable(bool usable);

    // File > Print register...: asks where to print (askReportPrinter), then prints the
    // register's pages (ui/print/register_printing.h); a printer that refuses is reported.
    void Drukuj_rejestr1Click();
    // Asks where to print; true to print. Tests replace it; by default the print dialog.
    using ReportPrinterQuestion = std::function<bool(QPrinter&, QWidget& parent)>;
    ReportPrinterQuestion askReportPrinter;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenu();
    void BuildPage();
    void BuildModuleColumn(QWidget* page);
    void BuildZadaSettings(QWidget* page);
    void BuildCardColumn(QWidget* page);
    void BuildCardList(QWidget* page);
    void BuildPasswordGroup(QWidget* page);
    void BuildRegisterColumn(QWidget* page);
    void BuildStatusLine();
    void FormCreate();
    void ConnectModuleCommands();
    void ConnectCardCommands();
    void ConnectInfoWindows();
    void ConnectPrintItem();
    void FormClose();

    void RadioGroup1Click(int item);
    void RadioGroup2Click(int item);
    bool GridSelectCell(int column, int row);
    void GridClick();
    void GridExit();
    void ListView1Click();
    void JobEnded(JobKind kind);
    void ShowJobControls(JobKind kind, bool show);
    void CloseAfterJob();
    void EditWybieranyChange(const QString& text);
    QColor GridCellColour(int column, int row) const;
    QString GridCellName(int column, int row) const;
    // The order a person works in: zone, view, grid, apartment, number to dial, card commands,
    // card list, password, module commands.
    void SetTabOrder();

    AppState state_;
    std::string settingsPath_;
    std::unique_ptr<QtUi> qtUi_;
    // The cable's waits run on the runner's thread, in real time.
    link::RealClock clock_;
    std::shared_ptr<UiBridge> bridge_;
    std::unique_ptr<CommandRunner> runner_;
    // Every module command leaves a line in it; written on the runner's thread.
    std::unique_ptr<ModuleJournal> journal_;
    // A command clicked while a monitor tick held the cable: it starts when the tick ends.
    std::function<void()> pendingJob_;
    // The window was closed while a command ran that must not be cut short.
    bool closeAfterJob_ = false;
    // The close query has been answered (and its write done): the next close goes through.
    bool closeApproved_ = false;

public:
    // The one cable port of the run: created at start-up, opened only for one monitor tick or
    // one command, and used only on the runner's thread. Replaced only through UsePort.
    std::unique_ptr<link::TBEXFTDI> BEXFTDI;

public:
    // Controls, by the names installers' manuals and the commands use.
    QMenu* Plik1 = nullptr; // Plik = File; its items: Nowy New, Otwórz Open, Dopisz Add file,
                            // Zapisz Save, Zapisz jako Save as, Wyjście Close
    QAction* Nowy1 = nullptr;
    QAction* Otwrz1 = nullptr;
    QAction* Dopisz_plik = nullptr;
    QAction* Zapisz1 = nullptr;
    QAction* Zapiszjako1 = nullptr;
    QAction* Wyjcie1 = nullptr;
    // Spreadsheets: Importuj z arkusza (import from spreadsheet) and Eksportuj do arkusza
    // (export to spreadsheet), after Save as; in FileItems, on whenever no command runs.
    QAction* Importuj_arkusz1 = nullptr;
    QAction* Eksportuj_arkusz1 = nullptr;
    QAction* Drukuj_rejestr1 = nullptr; // Drukuj rejestr: print the register (one of FileItems)
    // Every File item but Close: off together while a command runs, each keeping its own
    // enabling for afterwards.
    QActionGroup* FileItems = nullptr;
    // Moduł = module: the module commands of the left column, with shortcuts: Odczytaj Read,
    // Zapisz (to the module) Save, Weryfikuj Verify, Zmień hasło change password, Reset pamięci
    // memory reset. Each is on exactly when its control is.
    QMenu* Modul1 = nullptr;
    QAction* Odczytaj1 = nullptr;
    QAction* Zapisz_modul1 = nullptr;
    QAction* Weryfikuj1 = nullptr;
    QAction* Zmien_haslo1 = nullptr;
    QAction* Reset_pamieci1 = nullptr;
    QMenu* Jezyk = nullptr;               // Język = language
    std::array<QAction*, 6> JezykItems{}; // indexed by language: Jezyk0 .. Jezyk5
    QMenu* About1 = nullptr;
    QAction* OUSB1 = nullptr; // "O USB": about the USB cable
    QAction* help1 = nullptr;
    QAction* SprWersj2 = nullptr; // Sprawdź wersję = check version
    QAction* Dziennik1 = nullptr; // dziennik = journal: the journal of module work
    QAction* Kontakt1 = nullptr;  // Kontakt = contact

    // The client area at its design size, in a scroll area that shows scroll bars only where
    // the screen is smaller than the window (a scaled desktop, a small laptop screen).
    QScrollArea* ClientScroll = nullptr;
    QWidget* ClientArea = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QWidget* TabSheet10 = nullptr;

    QGroupBox* RadioGroup1 = nullptr; // the zone (strefa) chooser
    std::array<QRadioButton*, 4> RadioGroup1Items{};
    QButtonGroup* RadioGroup1Buttons = nullptr;
    QGroupBox* RadioGroup2 = nullptr; // what the grid shows: card counts or numbers to dial
    std::array<QRadioButton*, 2> RadioGroup2Items{};
    QButtonGroup* RadioGroup2Buttons = nullptr;
    QLabel* LabelSuma = nullptr; // suma = total: the register's card count
    ApartmentGrid* Grid = nullptr;

    QGroupBox* Modul_ZEL = nullptr; // the module commands: Read, Save (write), Verify
    PushPanel* Panel1b = nullptr;
    PushPanel* Panel2b = nullptr;
    PushPanel* Panel3b = nullptr;
    QPushButton* Button_reset_pamieci = nullptr;

    QGroupBox* GroupBox_ustawienia_mini = nullptr;
    QLabel* Label_modul_zel_ustawienia = nullptr;
    QLabel* Label_modul_zel_mini = nullptr;
    QLabel* Label_czas_aktywnosci = nullptr;
    QLabel* Label_czas_zamka = nullptr;
    QComboBox* ComboBox_czas_zamka = nullptr;
    QGroupBox* RadioGroup_typ_zamka = nullptr;
    std::array<QRadioButton*, 3> RadioGroup_typ_zamkaItems{};
    QCheckBox* CheckBox_biper = nullptr;

    QGroupBox* GroupBox_karta = nullptr; // karta = card: dodaj add, zmień change, kasuj delete,
                                         // znajdź find, kasuj zakres delete range
    QPushButton* Button_dodaj = nullptr;
    QCheckBox* CheckBox_auto = nullptr;
    QPushButton* Button_zmien = nullptr;
    QPushButton* Button_Kasuj1 = nullptr;
    QPushButton* Button_Znajdz = nullptr;
    QPushButton* Button_kasujZakres = nullptr;

    QLabel* LabelNrM = nullptr;        // "Nr M(ieszkania)": the apartment number label
    ApartmentBox* SpinEdit1 = nullptr; // the apartment (lokal) box
    QLabel* Label_wybierany_numer = nullptr;
    QLineEdit* EditWybierany = nullptr; // wybierany = the number to dial
    QTreeWidget* ListView1 = nullptr;   // the apartment's cards

    QGroupBox* GroupBox_haslo = nullptr; // hasło = the installer password
    QLineEdit* Edit_haslo = nullptr;
    QPushButton* Button_zmien_haslo = nullptr;

    QLabel* Label_stan_polaczenia = nullptr; // stan połączenia = connection status
    QLabel* LabelPolacz = nullptr;
    QLineEdit* Pokaz_poloczenie = nullptr; // "show the connection": the cable box
    QProgressBar* PBar1 = nullptr;
    QLabel* LabelProgres = nullptr;       // the progress text over PBar1
    QPushButton* Button_anuluj = nullptr; // anuluj = cancel: stops a read or a verify
    QLabel* LabelNoCancel = nullptr;      // during a write: it cannot be cancelled

    QTimer* TimerCheck = nullptr; // the connection monitor's one-second tick
    QFrame* InfoPanel = nullptr;
    QFrame* CardNoticePanel = nullptr; // Find's "Close in the card..." while it waits
    PasswordDialog* passwordDialog_ = nullptr;
    VersionView* versionView_ = nullptr;
};

} // namespace korv::ui
