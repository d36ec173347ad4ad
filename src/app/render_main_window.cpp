// korv-render: draws the main window into a PNG without a display, for the README and for
// reviewers. Usage: korv-render OUT.png [--lang N] [--zone Z] [--sample] [--ticks N]
// [--panel 3|5] [--press 1|2|3]. --panel draws the password (3) or version (5) panel instead.
// --ticks runs that many connection-monitor ticks first (point KORV_SIM_CONFIG and the library
// path at the simulator to show a connected module). --press presses the Read (1), Save (2) or
// Verify (3) panel after the ticks and draws the message box it shows, details unfolded, or
// else the window afterwards; with --grab-after MS it draws the window that long after the
// press, while the command runs (Cancel or its note beside the progress), then cancels it.
// --question unsaved|partial|replace draws the question asked before unsaved work or a partial read
// would be thrown away. --question import draws the question before a sample spreadsheet's
// cards join the register.
// --card-dialog draws the card dialog as it looks while it waits for a card at the reader. --window
// help|usb|contact draws that Info menu window.
// --screen WxH draws on an offscreen screen of that size (default 1920x1080, which holds the
// window); with QT_SCALE_FACTOR it shows how the window fits a scaled laptop screen.
// --report IN OUT.pdf [--lang N] [--zone Z] writes the printed register of a card file instead
// (app/render_report.h).
#include "app/offscreen_screen.h"
#include "app/render_report.h"
#include "commands/spreadsheet_texts.h"
#include "commands/ui_seam.h"
#include "commands/unsaved_changes.h"
#include "files/card_spreadsheet.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "i18n/own_texts.h"
#include "ui/app_identity.h"
#include "ui/app_style.h"
#include "ui/dialogs/card_dialog.h"
#include "ui/dialogs/message_box.h"
#include "ui/dialogs/password_dialog.h"
#include "ui/info/contact_window.h"
#include "ui/info/info_text_window.h"
#include "ui/info/version_view.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/push_panel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// --panel's numbers, the modes of the one "editing panel" that once showed both dialogs.
constexpr int kPasswordPanel = 3;
constexpr int kVersionPanel = 5;

// A few apartments of a small building, so the picture shows what the grid looks like in use.
void AddSampleCards(korv::AppState& state) {
    const struct {
        int zone, apartment;
        const char* numer;
        const char* opis;
    } cards[] = {
        {1, 0, "10203040", "Administrator"},
        {1, 1, "4412873", "Kowalski"},
        {1, 1, "4412874", "Kowalska"},
        {1, 2, "5529011", "Nowak"},
        {1, 7, "7781230", "Lis"},
        {1, 12, "1234567", "Garage"},
        {1, 37, "9911223", "Wolski"},
        {1, 38, "9911224", ""},
        {1, 101, "3300112", "Caretaker"},
        {2, 37, "8800001", "Door B"},
    };
    for (const auto& c : cards)
        state.tablica.AddCard(c.zone, c.apartment, {c.numer, false, c.opis});
    state.tablica.Cell(1, 1).wybierany = "0101";
    state.tablica.Cell(1, 2).wybierany = "0102";
}

// Lets the window's events run until the command runner holds no job, for at most a minute.
void WaitForJobs(korv::ui::TMain& window) {
    const QDeadlineTimer deadline(60000);
    while ((window.runner().Busy() || window.CommandRunning()) && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    QApplication::processEvents();
}

// Draws the window grabMs after the press, while the command still runs.
bool PressAndDrawTheWindow(korv::ui::TMain& window, korv::ui::PushPanel* panel, int grabMs,
                           const QString& out) {
    emit panel->clicked();
    const QDeadlineTimer deadline(grabMs);
    while (!deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    const bool saved = window.grab().save(out, "PNG");
    window.runner().Cancel();
    QTimer answer; // the cancelled read's notice
    answer.setInterval(20);
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    answer.start();
    WaitForJobs(window);
    return saved;
}

// Draws the next modal message box into out and closes it, once it is up.
void DrawTheNextBox(const QString& out, bool& saved) {
    auto* watch = new QTimer;
    watch->setInterval(20);
    QObject::connect(watch, &QTimer::timeout, [watch, out, &saved] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        saved = box->grab().save(out, "PNG");
        box->reject();
        watch->deleteLater();
    });
    watch->start();
}

// Draws the first message box that comes up while the panel's command runs, with its details
// unfolded, and closes it. False when none came up.
bool PressAndDrawTheBox(korv::ui::TMain& window, korv::ui::PushPanel* panel, const QString& out,
                        bool& saved) {
    bool drawn = false;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || drawn)
            return;
        drawn = true;
        for (QAbstractButton* b : box->buttons())
            if (box->buttonRole(b) == QMessageBox::ActionRole)
                b->click(); // "Show Details..."
        QApplication::processEvents();
        saved = box->grab().save(out, "PNG");
        box->accept();
    });
    watch.start();
    emit panel->clicked();
    WaitForJobs(window);
    return drawn;
}

} // namespace

int main(int argc, char** argv) {
    // The printed register: a PDF of a card file, no window.
    if (argc >= 2 && !std::strcmp(argv[1], "--report"))
        return korv::app::RenderReport(argc, argv);

    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(
            stderr,
            "usage: korv-render OUT.png [--lang N] [--zone Z] [--sample] [--ticks N] "
            "[--panel 3|5] [--press 1|2|3 [--grab-after MS]] [--question unsaved|partial|replace"
            "|import] [--card-dialog] "
            "[--window help|usb|contact] [--screen WxH]\n"
            "       korv-render --report IN OUT.pdf [--lang N] [--zone Z]\n");
        return 2;
    }
    QSize screen(1920, 1080);
    for (int i = 2; i + 1 < argc; ++i)
        if (!std::strcmp(argv[i], "--screen"))
            screen = korv::app::ParseScreenSize(argv[i + 1], screen);
    std::unique_ptr<QTemporaryFile> screenConfig;
    if (!std::getenv("QT_QPA_PLATFORM")) {
        screenConfig = korv::app::UseOffscreenScreen(screen);
        if (!screenConfig)
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    korv::ui::ApplyAppStyle(app);
    korv::ui::ApplyAppIdentity(app);

    int language = korv::English, zone = 1;
    bool sample = false;
    int ticks = 0;
    int panel = 0;       // 3: the password panel (change mode), 5: the version panel
    int press = 0;       // 1: Read, 2: Save, 3: Verify
    int grabAfterMs = 0; // draw the window this long after the press, the command running
    const char* question = nullptr; // unsaved | partial: draw that question
    bool cardDialog = false;
    const char* infoWindow = nullptr;
    for (int i = 2; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--lang") && i + 1 < argc)
            language = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--zone") && i + 1 < argc)
            zone = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--sample"))
            sample = true;
        else if (!std::strcmp(argv[i], "--ticks") && i + 1 < argc)
            ticks = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--panel") && i + 1 < argc)
            panel = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--press") && i + 1 < argc)
            press = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--question") && i + 1 < argc)
            question = argv[++i];
        else if (!std::strcmp(argv[i], "--grab-after") && i + 1 < argc)
            grabAfterMs = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--card-dialog"))
            cardDialog = true;
        else if (!std::strcmp(argv[i], "--window") && i + 1 < argc)
            infoWindow = argv[++i];
        else if (!std::strcmp(argv[i], "--screen") && i + 1 < argc)
            ++i; // read before the application started
    }
    // The picture must not depend on, or change, anybody's settings file.
    QTemporaryDir dir;
    korv::ui::TMainOptions options;
    options.settingsPath = (dir.path() + "/korv.ini").toStdString();
    korv::ui::TMain window(options);
    window.SelectLanguage(language);
    if (sample) {
        AddSampleCards(window.state());
        window.state().NeedSave = true;
        // As if opened from a file: pressing Read draws the read, not the unsaved-work question.
        korv::MarkRegisterSaved(window.state());
    }
    if (zone >= 1 && zone <= 4)
        window.RadioGroup1Items[zone - 1]->click();
    window.RefreshViews();
    for (int t = 0; t < ticks; ++t) {
        window.TimerCheckTimer();
        WaitForJobs(window);
    }
    window.show();
    QApplication::processEvents();
    QWidget* shown = &window;
    if (infoWindow) {
        std::unique_ptr<QDialog> w;
        if (!std::strcmp(infoWindow, "contact")) {
            auto about = std::make_unique<korv::ui::TAbout>(&window);
            about->SetLanguage(language);
            w = std::move(about);
        } else {
            std::unique_ptr<korv::ui::InfoTextWindow> text;
            if (!std::strcmp(infoWindow, "usb"))
                text = std::make_unique<korv::ui::TO_USB>(&window);
            else
                text = std::make_unique<korv::ui::TForm_Help>(&window);
            text->ShowLanguage(language);
            w = std::move(text);
        }
        w->show();
        QApplication::processEvents();
        const bool ok = w->grab().save(QString::fromLocal8Bit(argv[1]), "PNG");
        if (!ok)
            std::fprintf(stderr, "korv-render: cannot write %s\n", argv[1]);
        return ok ? 0 : 1;
    }
    if (cardDialog) {
        const korv::ui::CardDialogSetup setup{window.state().CurrentApartment,
                                              false,
                                              window.state().connection.ConnectionMessage == 31,
                                              {}};
        korv::ui::TFormParametryKarty dialog(&window, setup);
        dialog.Button1->setText(QString::fromStdString(korv::MessageText(79)));
        dialog.Edit2->setText("Kowalski");
        dialog.show();
        dialog.ShowReading(true);
        QApplication::processEvents();
        const bool ok = dialog.grab().save(QString::fromLocal8Bit(argv[1]), "PNG");
        dialog.ShowReading(false);
        if (!ok)
            std::fprintf(stderr, "korv-render: cannot write %s\n", argv[1]);
        return ok ? 0 : 1;
    }
    if (question && !std::strcmp(question, "import")) {
        // Spreadsheets: the question Import from spreadsheet asks, over a sample sheet.
        const std::string sample = "\xEF\xBB\xBFstrefa;lokal;karta;b1;opis;wybierany numer\r\n"
                                   "1;0;4711;0;Administrator;\r\n"
                                   "1;12;1203344;0;Nowak Anna;112\r\n"
                                   "1;12;1203345;0;\"Nowak Piotr; garaż\";112\r\n"
                                   "1;14;1203400;0;Wiśniewski;114\r\n"
                                   "1;15;;;;115\r\n";
        const korv::CardSpreadsheet sheet = korv::ReadCardSpreadsheet(sample);
        bool saved = false;
        DrawTheNextBox(QString::fromLocal8Bit(argv[1]), saved);
        korv::ui::ShowMessageBox(
            &window,
            QString::fromStdString(korv::SpreadsheetQuestionText(
                "/home/jan/lokatorzy-klatka-a.csv", korv::CountSpreadsheet(sheet), language)),
            QString::fromStdString(
                korv::OwnText(korv::OwnTextName::SpreadsheetImportCaption, language)),
            korv::MbYesNoDefaultNo);
        if (!saved)
            std::fprintf(stderr, "korv-render: cannot write %s\n", argv[1]);
        return saved ? 0 : 1;
    }
    if (question) {
        // The questions asked before work is thrown away, with example figures.
        const bool partial = !std::strcmp(question, "partial");
        const bool replace = !std::strcmp(question, "replace");
        std::string text = korv::OwnText(korv::OwnTextName::UnsavedChangesQuestion, language);
        std::string caption = korv::OwnText(korv::OwnTextName::UnsavedChangesCaption, language);
        if (partial) {
            text = korv::OwnText(korv::OwnTextName::PartialReadQuestion, language,
                                 {"588", "600", "17"});
            caption = korv::MessageText(korv::MsgReadingModule);
        } else if (replace) {
            text = korv::OwnText(korv::OwnTextName::ReplaceFileQuestion, language,
                                 {"/home/jan/klatka-a.zel"});
            caption = korv::MessageText(4); // Save as
        }
        bool saved = false;
        DrawTheNextBox(QString::fromLocal8Bit(argv[1]), saved);
        korv::ui::ShowMessageBox(&window, QString::fromStdString(text),
                                 QString::fromStdString(caption),
                                 partial || replace ? korv::MbYesNoDefaultNo : korv::MbYesNoCancel);
        if (!saved)
            std::fprintf(stderr, "korv-render: cannot write %s\n", argv[1]);
        return saved ? 0 : 1;
    }
    if (press >= 1 && press <= 3) {
        korv::ui::PushPanel* panels[] = {window.Panel1b, window.Panel2b, window.Panel3b};
        bool saved = false;
        if (grabAfterMs > 0)
            return PressAndDrawTheWindow(window, panels[press - 1], grabAfterMs,
                                         QString::fromLocal8Bit(argv[1]))
                       ? 0
                       : 1;
        if (PressAndDrawTheBox(window, panels[press - 1], QString::fromLocal8Bit(argv[1]), saved)) {
            if (!saved)
                std::fprintf(stderr, "korv-render: cannot write %s\n", argv[1]);
            return saved ? 0 : 1;
        }
        QApplication::processEvents();
    }
    if (panel == kPasswordPanel) {
        korv::ui::PasswordDialog& p = window.PasswordPanel();
        p.changeMode = true;
        p.show();
        shown = &p;
    } else if (panel == kVersionPanel) {
        korv::ui::VersionView& p = window.VersionPanel();
        p.setWindowTitle("ZEL v " + korv::ui::ProgramVersion());
        p.versionPage = QUrl("http://updates.korv.invalid/update/chkupdate.php");
        p.pageTimeoutMs = 500;
        p.show();
        shown = &p;
    }
    if (panel == kPasswordPanel || panel == kVersionPanel) {
        // Long enough for the page request to end (here: to fail) and be shown.
        QEventLoop wait;
        QTimer::singleShot(panel == kVersionPanel ? 1500 : 50, &wait, &QEventLoop::quit);
        wait.exec();
    }
    const bool ok = shown->grab().save(QString::fromLocal8Bit(argv[1]), "PNG");
    if (!ok)
        std::fprintf(stderr, "korv-render: cannot write %s\n", argv[1]);
    return ok ? 0 : 1;
}
