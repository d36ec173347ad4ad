#include "ui/main_window.h"

#include "commands/file_commands.h"
#include "core/view_rules.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"
#include "i18n/settings_file.h"
#include "ui/apartment_box.h"
#include "ui/apartment_grid.h"
#include "ui/app_identity.h"
#include "ui/digits_validator.h"
#include "ui/fit_caption.h"
#include "ui/push_panel.h"
#include "ui/qt_ui.h"
#include "ui/ui_bridge.h"

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

constexpr int kClientWidth = 868;
constexpr int kClientHeight = 625;
// The page's margin under the grid at the design's font.
constexpr int kPageBelowGrid = 2;

// Sizes in pixels, like every coordinate of the design: the window looks the same whatever
// font size the desktop asks for.
QFont Bold(QFont f, int pixelSize = 0) {
    f.setBold(true);
    if (pixelSize > 0)
        f.setPixelSize(pixelSize);
    return f;
}

QPushButton* Button(QWidget* parent, const char* name, const QRect& geometry) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    return b;
}

QLabel* Label(QWidget* parent, const char* name, const QRect& geometry) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    return l;
}

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
    Plik1->addSeparator();
    Wyjcie1 = action(Plik1, "Wyjcie1", QKeySequence("Ctrl+X"));
    for (QAction* a : {Otwrz1, Dopisz_plik, Zapisz1, Zapiszjako1})
        a->setEnabled(false);
    FileItems = new QActionGroup(this);
    FileItems->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QAction* a : {Nowy1, Otwrz1, Dopisz_plik, Zapisz1, Zapiszjako1})
        FileItems->addAction(a);
    connect(Wyjcie1, &QAction::triggered, this, &QWidget::close);
    // The commands themselves live below the window; the menu only forwards to them.
    connect(Nowy1, &QAction::triggered, this, [this] { Nowy1Click(state_, ui()); });
    connect(Otwrz1, &QAction::triggered, this, [this] { Otwrz1Click(state_, ui()); });
    connect(Dopisz_plik, &QAction::triggered, this, [this] { Dopisz_plikClick(state_, ui()); });
    connect(Zapisz1, &QAction::triggered, this, [this] { Zapisz1Click(state_, ui()); });
    connect(Zapiszjako1, &QAction::triggered, this, [this] { Zapiszjako1Click(state_, ui()); });

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
    Kontakt1 = bar->addAction(QString());
    Kontakt1->setObjectName("Kontakt1");
}

void TMain::BuildPage() {
    PageControl2 = new QTabWidget(ClientArea);
    PageControl2->setObjectName("PageControl2");
    PageControl2->setGeometry(2, 2, kClientWidth - 4, 592);
    TabSheet10 = new QWidget;
    TabSheet10->setObjectName("TabSheet10");
    PageControl2->addTab(TabSheet10, QString());
    QWidget* page = TabSheet10;

    // Left column: the module.
    Modul_ZEL = new QGroupBox(page);
    Modul_ZEL->setObjectName("Modul_ZEL");
    Modul_ZEL->setGeometry(8, 16, 162, 470);
    Panel1b = new PushPanel(1, Modul_ZEL);
    Panel2b = new PushPanel(2, Modul_ZEL);
    Panel3b = new PushPanel(3, Modul_ZEL);
    int y = 28;
    for (PushPanel* p : {Panel1b, Panel2b, Panel3b}) {
        p->setGeometry(8, y, 146, 110);
        y += 125;
    }
    Button_reset_pamieci = Button(page, "Button_reset_pamieci", QRect(8, 492, 162, 28));

    GroupBox_ustawienia_mini = new QGroupBox(page);
    GroupBox_ustawienia_mini->setObjectName("GroupBox_ustawienia_mini");
    GroupBox_ustawienia_mini->setGeometry(8, 285, 162, 235);
    GroupBox_ustawienia_mini->setVisible(false);
    {
        QWidget* g = GroupBox_ustawienia_mini;
        Label_modul_zel_ustawienia = Label(g, "Label_modul_zel_ustawienia", {6, 14, 150, 16});
        Label_modul_zel_mini = Label(g, "Label_modul_zel_mini", {6, 30, 150, 16});
        for (QLabel* l : {Label_modul_zel_ustawienia, Label_modul_zel_mini}) {
            l->setFont(Bold(l->font()));
            l->setStyleSheet("color: #0000C0;");
            l->setAlignment(Qt::AlignCenter);
        }
        Label_czas_aktywnosci = Label(g, "Label_czas_aktywnosci", {6, 52, 100, 16});
        Label_czas_zamka = Label(g, "Label_czas_zamka", {6, 68, 100, 16});
        ComboBox_czas_zamka = new QComboBox(g);
        ComboBox_czas_zamka->setObjectName("ComboBox_czas_zamka");
        ComboBox_czas_zamka->setGeometry(108, 60, 46, 22);
        for (int s = 0; s <= 25; ++s)
            ComboBox_czas_zamka->addItem(QString::number(s));
        ComboBox_czas_zamka->setCurrentIndex(4);
        RadioGroup_typ_zamka = new QGroupBox(g);
        RadioGroup_typ_zamka->setObjectName("RadioGroup_typ_zamka");
        RadioGroup_typ_zamka->setGeometry(6, 90, 150, 100);
        auto* group = new QButtonGroup(RadioGroup_typ_zamka);
        for (int i = 0; i < 3; ++i) {
            auto* r = new QRadioButton(RadioGroup_typ_zamka);
            r->setObjectName(QString("RadioGroup_typ_zamka%1").arg(i));
            r->setGeometry(8, 22 + i * 24, 138, 20);
            group->addButton(r, i);
            RadioGroup_typ_zamkaItems[i] = r;
        }
        RadioGroup_typ_zamkaItems[0]->setChecked(true);
        CheckBox_biper = new QCheckBox(g);
        CheckBox_biper->setObjectName("CheckBox_biper");
        CheckBox_biper->setGeometry(8, 200, 146, 20);
        CheckBox_biper->setChecked(true);
    }

    // Middle column: cards of the selected apartment.
    GroupBox_karta = new QGroupBox(page);
    GroupBox_karta->setObjectName("GroupBox_karta");
    GroupBox_karta->setGeometry(176, 16, 222, 150);
    Button_dodaj = Button(GroupBox_karta, "Button_dodaj", {8, 22, 206, 26});
    CheckBox_auto = new QCheckBox(GroupBox_karta);
    CheckBox_auto->setObjectName("CheckBox_auto");
    CheckBox_auto->setGeometry(8, 52, 206, 20);
    Button_zmien = Button(GroupBox_karta, "Button_zmien", {8, 78, 100, 26});
    Button_Kasuj1 = Button(GroupBox_karta, "Button_Kasuj1", {114, 78, 100, 26});
    Button_Znajdz = Button(GroupBox_karta, "Button_Znajdz", {8, 112, 100, 26});
    Button_kasujZakres = Button(GroupBox_karta, "Button_kasujZakres", {114, 112, 100, 26});
    Button_zmien->setEnabled(false);
    Button_Kasuj1->setEnabled(false);
    Button_Znajdz->setEnabled(false);

    LabelNrM = Label(page, "LabelNrM", {176, 178, 112, 30});
    LabelNrM->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelNrM->setFont(Bold(LabelNrM->font()));
    SpinEdit1 = new ApartmentBox(page);
    SpinEdit1->setGeometry(292, 174, 106, 38);
    SpinEdit1->setFont(Bold(SpinEdit1->font(), 24));
    connect(SpinEdit1, &QSpinBox::valueChanged, this, [this] { SpinEdit1Change(); });
    MenuShortcutsFirst::Install(SpinEdit1);
    MenuShortcutsFirst::Install(SpinEdit1->findChild<QLineEdit*>());

    Label_wybierany_numer = Label(page, "Label_wybierany_numer", {176, 218, 150, 24});
    Label_wybierany_numer->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label_wybierany_numer->setFont(Bold(Label_wybierany_numer->font()));
    EditWybierany = new QLineEdit(page);
    EditWybierany->setObjectName("EditWybierany");
    EditWybierany->setGeometry(330, 218, 68, 24);
    EditWybierany->setFont(Bold(EditWybierany->font()));
    // No maxLength: it would cut a longer number from a card file as soon as it is shown.
    EditWybierany->setValidator(new DigitsValidator(EditWybierany, kDialNumberTypedLength));
    EditWybierany->setReadOnly(true);
    connect(EditWybierany, &QLineEdit::textChanged, this, &TMain::EditWybieranyChange);
    MenuShortcutsFirst::Install(EditWybierany);

    ListView1 = new QTreeWidget(page);
    ListView1->setObjectName("ListView1");
    ListView1->setGeometry(176, 250, 222, 212);
    ListView1->setColumnCount(3);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->header()->setSectionsClickable(false);
    ListView1->header()->setSectionsMovable(false);
    ListView1->header()->setStretchLastSection(false);
    ListView1->setColumnWidth(0, 100);
    // The style's minimum section width would make the 2-px gap column some 26 px wide.
    ListView1->header()->setMinimumSectionSize(0);
    ListView1->setColumnWidth(1, 2);
    ListView1->setColumnWidth(2, 113);
    // The person may widen the number and the description (a scroll bar then reaches the
    // rest); the gap stays a gap.
    ListView1->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    // The selected card stays marked while the person moves on to the buttons.
    QPalette lp = ListView1->palette();
    lp.setColor(QPalette::Inactive, QPalette::Highlight,
                lp.color(QPalette::Active, QPalette::Highlight));
    lp.setColor(QPalette::Inactive, QPalette::HighlightedText,
                lp.color(QPalette::Active, QPalette::HighlightedText));
    ListView1->setPalette(lp);
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, &TMain::ListView1Click);

    GroupBox_haslo = new QGroupBox(page);
    GroupBox_haslo->setObjectName("GroupBox_haslo");
    GroupBox_haslo->setGeometry(176, 470, 222, 60);
    Edit_haslo = new QLineEdit(GroupBox_haslo);
    Edit_haslo->setObjectName("Edit_haslo");
    Edit_haslo->setGeometry(10, 24, 90, 24);
    Edit_haslo->setReadOnly(true);
    Edit_haslo->setEnabled(false);
    Edit_haslo->setMaxLength(8);
    Edit_haslo->setText("5172");
    Edit_haslo->installEventFilter(this); // a click asks for the password panel again
    Button_zmien_haslo = Button(GroupBox_haslo, "Button_zmien_haslo", {110, 22, 102, 28});

    // Right column: zone, view, total and the grid.
    RadioGroup1 = new QGroupBox(page);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setGeometry(405, 8, 453, 44);
    RadioGroup1Buttons = new QButtonGroup(RadioGroup1);
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(RadioGroup1);
        r->setObjectName(QString("RadioGroup1_%1").arg(i));
        r->setGeometry(12 + i * 110, 20, 104, 20);
        RadioGroup1Buttons->addButton(r, i);
        RadioGroup1Items[i] = r;
    }
    RadioGroup1Items[0]->setChecked(true);
    connect(RadioGroup1Buttons, &QButtonGroup::idClicked, this, &TMain::RadioGroup1Click);

    RadioGroup2 = new QGroupBox(page);
    RadioGroup2->setObjectName("RadioGroup2");
    RadioGroup2->setGeometry(405, 54, 276, 44);
    RadioGroup2Buttons = new QButtonGroup(RadioGroup2);
    for (int i = 0; i < 2; ++i) {
        auto* r = new QRadioButton(RadioGroup2);
        r->setObjectName(QString("RadioGroup2_%1").arg(i));
        r->setGeometry(10 + i * 132, 20, 130, 20);
        RadioGroup2Buttons->addButton(r, i);
        RadioGroup2Items[i] = r;
    }
    RadioGroup2Items[0]->setChecked(true);
    connect(RadioGroup2Buttons, &QButtonGroup::idClicked, this, &TMain::RadioGroup2Click);

    LabelSuma = Label(page, "LabelSuma", {688, 60, 170, 38});
    LabelSuma->setFont(Bold(LabelSuma->font()));
    LabelSuma->setWordWrap(true);

    Grid = new ApartmentGrid(page);
    Grid->move(405, 100);
    Grid->canSelect = [this](int c, int r) { return GridSelectCell(c, r); };
    Grid->setCellColour([this](int c, int r) { return GridCellColour(c, r); });
    connect(Grid, &ApartmentGrid::clicked, this, &TMain::GridClick);
    Grid->setCellName([this](int c, int r) { return GridCellName(c, r); });
    connect(Grid, &ApartmentGrid::focusLeft, this, &TMain::GridExit);
    // From the keyboard the grid starts at the apartment in the box, not on the parked cell.
    connect(Grid, &ApartmentGrid::enteredByTab, this, [this] {
        int c = 0, r = 0;
        ApartmentGridCell(state_.CurrentApartment, c, r);
        Grid->setSelection(c, r);
    });

    // Screen readers name a box by the label that is its buddy.
    LabelNrM->setBuddy(SpinEdit1);
    Label_wybierany_numer->setBuddy(EditWybierany);
    Label_czas_zamka->setBuddy(ComboBox_czas_zamka);
    SetTabOrder();
}

QString TMain::GridCellName(int column, int row) const {
    const int a = GridCellApartment(column, row);
    if (a < 0 || a > 255)
        return {};
    const std::string apartment = std::to_string(a);
    const auto& cell = state_.tablica.Cell(state_.CurrentZone, a);
    std::string name;
    if (GridMode() == 0)
        name = OwnText(OwnTextName::GridCellCards, LanguageIndex(),
                       {apartment, std::to_string(cell.lista.size())});
    else if (cell.wybierany.empty())
        name = OwnText(OwnTextName::GridCellNoNumber, LanguageIndex(), {apartment});
    else
        name = OwnText(OwnTextName::GridCellNumber, LanguageIndex(), {apartment, cell.wybierany});
    return QString::fromStdString(name);
}

void TMain::SetTabOrder() {
    // Radio buttons of a group stand in the chain one after another; Tab stops at the checked
    // one and the arrow keys move within the group.
    QList<QWidget*> chain;
    for (QRadioButton* r : RadioGroup1Items)
        chain << r;
    for (QRadioButton* r : RadioGroup2Items)
        chain << r;
    chain << Grid << SpinEdit1 << EditWybierany << Button_dodaj << CheckBox_auto << Button_zmien
          << Button_Kasuj1 << Button_Znajdz << Button_kasujZakres << ListView1 << Edit_haslo
          << Button_zmien_haslo << Panel1b << Panel2b << Panel3b << ComboBox_czas_zamka;
    for (QRadioButton* r : RadioGroup_typ_zamkaItems)
        chain << r;
    chain << CheckBox_biper << Button_reset_pamieci;
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void TMain::BuildStatusLine() {
    QWidget* client = ClientArea;
    Label_stan_polaczenia = Label(client, "Label_stan_polaczenia", {8, 600, 120, 20});
    LabelPolacz = Label(client, "LabelPolacz", {130, 600, 330, 20});
    LabelPolacz->setFont(Bold(LabelPolacz->font()));
    LabelPolacz->setStyleSheet("color: red;");
    Pokaz_poloczenie = new QLineEdit(client);
    Pokaz_poloczenie->setObjectName("Pokaz_poloczenie");
    Pokaz_poloczenie->setGeometry(466, 598, 170, 22);
    Pokaz_poloczenie->setReadOnly(true);
    Pokaz_poloczenie->setFocusPolicy(Qt::NoFocus);
    Pokaz_poloczenie->setStyleSheet("background: red;");
    PBar1 = new QProgressBar(client);
    PBar1->setObjectName("PBar1");
    PBar1->setGeometry(644, 598, 216, 22);
    PBar1->setTextVisible(false);
    PBar1->setRange(0, 100);
    PBar1->setVisible(false);
    LabelProgres = Label(client, "LabelProgres", {644, 598, 216, 22});
    LabelProgres->setAlignment(Qt::AlignCenter);
    LabelProgres->setAttribute(Qt::WA_TransparentForMouseEvents);
    LabelProgres->raise();
    Button_anuluj = new QPushButton(client);
    Button_anuluj->setObjectName("Button_anuluj");
    Button_anuluj->setGeometry(782, 598, 78, 22);
    Button_anuluj->setVisible(false);
    setTabOrder(Button_reset_pamieci, Button_anuluj);
    LabelNoCancel = Label(client, "LabelNoCancel", {466, 598, 170, 22});
    LabelNoCancel->setAlignment(Qt::AlignCenter);
    LabelNoCancel->setWordWrap(true);
    LabelNoCancel->setAutoFillBackground(true);
    LabelNoCancel->setVisible(false);
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
    UsePort(std::make_unique<link::TBEXFTDI>(clock_));
    state_.polaczony = false;
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
