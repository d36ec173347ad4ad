// The main window's page, built column by column as the design places it: the module on the
// left, the apartment's cards in the middle, the register's grid on the right; then the status
// line under the page and the Tab order through all of it.
#include "ui/main_window/main_window.h"

#include "commands/file_commands.h"
#include "core/view_rules.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"
#include "ui/app_identity.h"
#include "ui/widgets/apartment_box.h"
#include "ui/widgets/apartment_grid.h"
#include "ui/widgets/digits_validator.h"
#include "ui/widgets/push_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace korv::ui {

namespace {

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

} // namespace

void TMain::BuildPage() {
    PageControl2 = new QTabWidget(ClientArea);
    PageControl2->setObjectName("PageControl2");
    PageControl2->setGeometry(2, 2, kClientWidth - 4, 592);
    TabSheet10 = new QWidget;
    TabSheet10->setObjectName("TabSheet10");
    PageControl2->addTab(TabSheet10, QString());
    BuildModuleColumn(TabSheet10);
    BuildZadaSettings(TabSheet10);
    BuildCardColumn(TabSheet10);
    BuildCardList(TabSheet10);
    BuildPasswordGroup(TabSheet10);
    BuildRegisterColumn(TabSheet10);

    // Screen readers name a box by the label that is its buddy.
    LabelNrM->setBuddy(SpinEdit1);
    Label_wybierany_numer->setBuddy(EditWybierany);
    Label_czas_zamka->setBuddy(ComboBox_czas_zamka);
    SetTabOrder();
}

void TMain::BuildModuleColumn(QWidget* page) {
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
}

// Under the module's group, which shortens for a ZADA module to make room for it.
void TMain::BuildZadaSettings(QWidget* page) {
    GroupBox_ustawienia_mini = new QGroupBox(page);
    GroupBox_ustawienia_mini->setObjectName("GroupBox_ustawienia_mini");
    GroupBox_ustawienia_mini->setGeometry(8, 285, 162, 235);
    GroupBox_ustawienia_mini->setVisible(false);
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

// The apartment's card commands, the apartment and its number to dial.
void TMain::BuildCardColumn(QWidget* page) {
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
}

void TMain::BuildCardList(QWidget* page) {
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
}

void TMain::BuildPasswordGroup(QWidget* page) {
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
}

// The zone and view choices, the total and the grid.
void TMain::BuildRegisterColumn(QWidget* page) {
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
    // Tab passes the cable box by, but a screen reader lists it: the status label names it.
    Label_stan_polaczenia->setBuddy(Pokaz_poloczenie);
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

} // namespace korv::ui
