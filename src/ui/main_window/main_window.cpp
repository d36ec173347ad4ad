#include "ui/main_window/main_window.h"

#include "commands/file_commands.h"
#include "commands/spreadsheet_commands.h"
#include "core/view_rules.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"
#include "i18n/settings_file.h"
#include "ui/app_identity.h"
#include "ui/main_window/qt_ui.h"
#include "ui/main_window/ui_bridge.h"
#include "ui/widgets/apartment_box.h"
#include "ui/widgets/apartment_grid.h"
#include "ui/widgets/digits_validator.h"
#include "ui/widgets/fit_caption.h"
#include "ui/widgets/push_panel.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>

#include <algorithm>

namespace korv::ui {

namespace {

// The page's margin under the grid at the design's font.
constexpr int kPageBelowGrid = 2;

// Shows the client at its design size: the window's natural size is the client's, not the
// scroll area's default of a few dozen characters.
class ClientScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        return widget() ? widget()->size() : QScrollArea::sizeHint();
    }
};

// A larger desktop font makes the style's tab bar taller, and the page shorter than the
// grid; the page and the client then grow by the difference, and the status line moves
// down with them. Returns the growth, 0 at the design's font.
int MakeRoomForTheGrid(TMain& w) {
    w.PageControl2->ensurePolished();
    const int page = w.PageControl2->height() - w.PageControl2->tabBar()->sizeHint().height();
    const int grow = std::max(0, w.Grid->geometry().bottom() + 1 + kPageBelowGrid - page);
    if (grow == 0)
        return 0;
    for (QWidget* c : w.ClientArea->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (c != w.PageControl2)
            c->move(c->x(), c->y() + grow);
    w.PageControl2->resize(w.PageControl2->width(), w.PageControl2->height() + grow);
    return grow;
}

// The window opens at its natural size where the screen holds it, and otherwise at the
// screen's available size, scrolling the client; it never grows past the client, so it
// cannot be stretched into empty margins. Centred on the screen's available area.
void FitToScreen(TMain& w) {
    const QScreen* screen = w.screen();
    QSize size = w.sizeHint();
    if (!screen) {
        w.resize(size);
        return;
    }
    // The frame's size is known before showing on some platforms; elsewhere the window
    // manager keeps a resizable window on the screen itself.
    (void)w.winId();
    const QMargins frame = w.windowHandle() ? w.windowHandle()->frameMargins() : QMargins();
    const QRect area = screen->availableGeometry();
    const QSize room = area.marginsRemoved(frame).size();
    // A scroll bar takes room from the other direction, which may then need one as well.
    const int bar = w.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w.ClientScroll);
    bool vertical = size.height() > room.height();
    const bool horizontal = size.width() + (vertical ? bar : 0) > room.width();
    vertical = vertical || (horizontal && size.height() + bar > room.height());
    size += QSize(vertical ? bar : 0, horizontal ? bar : 0);
    w.setMaximumSize(size);
    size = size.boundedTo(room);
    w.resize(size);
    QRect placed(QPoint(), size.grownBy(frame));
    placed.moveCenter(area.center());
    w.move(std::max(placed.left(), area.left()), std::max(placed.top(), area.top()));
}
} // namespace

TMain::TMain(const TMainOptions& options, QWidget* parent)
    : QMainWindow(parent), qtUi_(std::make_unique<QtUi>(*this)) {
    setObjectName("Main");
    setWindowTitle("ZEL v7.4");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    BuildMenu();
    ClientArea = new QWidget;
    ClientArea->setObjectName("ClientArea");
    BuildPage();
    BuildStatusLine();
    ClientArea->setFixedSize(kClientWidth, kClientHeight + MakeRoomForTheGrid(*this));
    ClientScroll = new ClientScrollArea(this);
    ClientScroll->setObjectName("ClientScroll");
    ClientScroll->setFrameShape(QFrame::NoFrame);
    ClientScroll->setFocusPolicy(Qt::NoFocus); // the controls inside take the focus
    ClientScroll->setWidget(ClientArea);
    setCentralWidget(ClientScroll);
    FitToScreen(*this);

    TimerCheck = new QTimer(this);
    TimerCheck->setObjectName("TimerCheck");
    TimerCheck->setInterval(1000);
    connect(TimerCheck, &QTimer::timeout, this, &TMain::TimerCheckTimer);
    ConnectModuleCommands();
    // The Module menu presses the very controls, so it runs what they run and nothing else.
    const std::pair<QAction*, PushPanel*> panelItems[] = {
        {Odczytaj1, Panel1b}, {Zapisz_modul1, Panel2b}, {Weryfikuj1, Panel3b}};
    for (const auto& [item, panel] : panelItems) {
        connect(item, &QAction::triggered, panel, &PushPanel::click);
        panel->setShortcutHint(item->shortcut());
    }
    connect(Zmien_haslo1, &QAction::triggered, Button_zmien_haslo, &QPushButton::click);
    connect(Reset_pamieci1, &QAction::triggered, Button_reset_pamieci, &QPushButton::click);
    ConnectCardCommands();
    ConnectInfoWindows();

    // Where the language is kept; resolved once, here, for the life of the window.
    const auto setting = LoadLanguageSetting(options.settingsPath, options.userSettingsPath);
    settingsPath_ = setting.path;
    SetLanguageIndex(setting.language);
    UseQtTranslations(setting.language);
    FormCreate();
}

TMain::~TMain() {
    // A job still running (only in tests: closing waits for jobs) gets its questions answered
    // with their fallbacks and a read or verify stops at its next page; then the runner lets
    // go of the port, and the port closes a cable left open and unloads its library.
    bridge_->Close();
    runner_.reset();
    state_.tablica.ClearCards();
    BEXFTDI.reset();
}

Ui& TMain::ui() {
    return *qtUi_;
}

void TMain::BuildMenu() {
    QMenuBar* bar = menuBar();
    Plik1 = bar->addMenu(QString());
    Plik1->setObjectName("Plik1");
    auto action = [this](QMenu* menu, const char* name, const QKeySequence& key) {
        auto* a = menu->addAction(QString());
        a->setObjectName(name);
        if (!key.isEmpty())
            a->setShortcut(key);
        return a;
    };
    Nowy1 = action(Plik1, "Nowy1", QKeySequence("Ctrl+N"));
    Otwrz1 = action(Plik1, "Otwrz1", QKeySequence("Ctrl+O"));
    Dopisz_plik = action(Plik1, "Dopisz_plik", QKeySequence("Ctrl+D"));
    Zapisz1 = action(Plik1, "Zapisz1", QKeySequence("Ctrl+S"));
    Zapiszjako1 = action(Plik1, "Zapiszjako1", QKeySequence("Ctrl+Z"));
    // The register for other programs and for paper.
    Importuj_arkusz1 = action(Plik1, "Importuj_arkusz1", {});
    Eksportuj_arkusz1 = action(Plik1, "Eksportuj_arkusz1", {});
    Drukuj_rejestr1 = action(Plik1, "Drukuj_rejestr1", {});
    Plik1->addSeparator();
    Wyjcie1 = action(Plik1, "Wyjcie1", QKeySequence("Ctrl+X"));
    for (QAction* a : {Otwrz1, Dopisz_plik, Zapisz1, Zapiszjako1})
        a->setEnabled(false);
    FileItems = new QActionGroup(this);
    FileItems->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QAction* a : {Nowy1, Otwrz1, Dopisz_plik, Zapisz1, Zapiszjako1, Importuj_arkusz1,
                       Eksportuj_arkusz1, Drukuj_rejestr1})
        FileItems->addAction(a);
    connect(Wyjcie1, &QAction::triggered, this, &QWidget::close);
    // The commands themselves live below the window; the menu only forwards to them.
    connect(Nowy1, &QAction::triggered, this, [this] { NewRegister(Edit()); });
    connect(Otwrz1, &QAction::triggered, this, [this] { OpenCardFile(Edit()); });
    connect(Dopisz_plik, &QAction::triggered, this, [this] { AddCardFile(Edit()); });
    connect(Zapisz1, &QAction::triggered, this, [this] { SaveCardFile(Edit()); });
    connect(Zapiszjako1, &QAction::triggered, this, [this] { SaveCardFileAs(Edit()); });
    connect(Importuj_arkusz1, &QAction::triggered, this, [this] { ImportSpreadsheet(Edit()); });
    connect(Eksportuj_arkusz1, &QAction::triggered, this,
            [this] { ExportSpreadsheet(state_, ui()); });
    ConnectPrintItem();

    // Beside File: what the module panels and buttons do, for the keyboard. Their commands are
    // connected with the panels'; the reset has no shortcut, as it erases the module.
    Modul1 = bar->addMenu(QString());
    Modul1->setObjectName("Modul1");
    Odczytaj1 = action(Modul1, "Odczytaj1", QKeySequence("Ctrl+R"));
    Zapisz_modul1 = action(Modul1, "Zapisz_modul1", QKeySequence("Ctrl+W"));
    Weryfikuj1 = action(Modul1, "Weryfikuj1", QKeySequence("Ctrl+E"));
    Modul1->addSeparator();
    Zmien_haslo1 = action(Modul1, "Zmien_haslo1", QKeySequence("Ctrl+P"));
    Reset_pamieci1 = action(Modul1, "Reset_pamieci1", {});
    for (QAction* a : Modul1->actions())
        a->setEnabled(false);

    Jezyk = bar->addMenu(QString());
    Jezyk->setObjectName("Jezyk");
    // Menu order: English, Czech, German, Polish, Russian, Slovak; only Polish and English
    // are offered, the others are reached through the settings file alone.
    for (int language : {English, Czech, German, Polish, Russian, Slovak}) {
        auto* a = Jezyk->addAction(QString());
        a->setObjectName(QString("Jezyk%1").arg(language));
        a->setCheckable(true);
        a->setVisible(language == English || language == Polish);
        connect(a, &QAction::triggered, this, [this, language] { SelectLanguage(language); });
        JezykItems[language] = a;
    }

    About1 = bar->addMenu("Info");
    About1->setObjectName("About1");
    OUSB1 = action(About1, "OUSB1", {});
    help1 = action(About1, "help1", {});
    SprWersj2 = action(About1, "SprWersj2", {});
    About1->addSeparator();
    Dziennik1 = action(About1, "Dziennik1", {});
    Kontakt1 = bar->addAction(QString());
    Kontakt1->setObjectName("Kontakt1");
}

void TMain::FormCreate() {
    state_.AutoReadAdd = false;
    // The register's 1024 cells exist with the state; start them empty.
    state_.tablica.ClearCards();
    state_.tablica.ClearDialNumbers();
    // The language was read (and written back) before the window was built.
    const int language = LanguageIndex();
    for (int i = 0; i < kLanguageCount; ++i)
        JezykItems[i]->setChecked(i == language);
    ApplyLanguage();
    bridge_ = std::make_shared<UiBridge>();
    journal_ = std::make_unique<ModuleJournal>(ModuleJournal::DefaultPath());
    UsePort(std::make_unique<link::TBEXFTDI>(clock_));
    SpinEdit1Change();
    SetModulePanelsUsable(false);
    TimerCheck->start();
    GridExit();
    state_.NeedSave = false;
    RefreshViews();
}

void TMain::UsePort(std::unique_ptr<link::TBEXFTDI> port) {
    if (runner_)
        runner_->WaitAndFinish();
    runner_.reset();
    BEXFTDI = std::move(port);
    // The job's thread only posts; the window finishes the job on its own thread.
    runner_ = std::make_unique<CommandRunner>(
        *BEXFTDI, [this, bridge = bridge_] { bridge->Post([this] { runner_->Finish(); }); });
}

void TMain::SetModulePanelsUsable(bool usable) {
    for (PushPanel* p : {Panel1b, Panel2b, Panel3b})
        p->setUsable(usable);
}

void TMain::FormClose() {
    TimerCheck->stop();
}

void TMain::ShowProgress(int position, int maximum, const QString& label) {
    PBar1->setRange(0, maximum);
    PBar1->setValue(position);
    PBar1->setVisible(true);
    LabelProgres->setText(label);
    LabelProgres->raise();
}

void TMain::HideProgress() {
    PBar1->setVisible(false);
    LabelProgres->clear();
}

} // namespace korv::ui
