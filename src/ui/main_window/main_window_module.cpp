// The main window's side of the module: drawing the connection monitor's row, the information
// panel, the password and version panels, and forwarding the module controls to their commands.
#include "ui/main_window/main_window.h"

#include "commands/connection_monitor.h"
#include "commands/password_commands.h"
#include "commands/read_module.h"
#include "commands/unsaved_changes.h"
#include "commands/verify_module.h"
#include "commands/version_check.h"
#include "commands/write_module.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "ui/dialogs/password_dialog.h"
#include "ui/info/version_view.h"
#include "ui/main_window/qt_ui.h"
#include "ui/widgets/notice_panel.h"
#include "ui/widgets/push_panel.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

namespace korv::ui {

namespace {

QString ColourName(Colour colour) {
    switch (colour) {
    case Colour::Red:
        return "#ff0000";
    case Colour::Yellow:
        return "#ffff00";
    case Colour::Lime:
        return "#00ff00";
    case Colour::Green:
        return "#00d000";
    case Colour::WindowText:
        break;
    }
    return "palette(window-text)";
}

} // namespace

EditContext TMain::Edit() {
    return EditContext{state_, *qtUi_, *qtUi_};
}

void TMain::ConnectModuleCommands() {
    // Each control starts its command as a job of the runner; what the job found comes back
    // with its connection findings, and what else it changed is taken back here.
    connect(Button_zmien_haslo, &QPushButton::clicked, this, [this] {
        StartJournaledJob(JobKind::Password, [](ModuleContext& ctx) {
            // The write's own report says how it went; a cancelled panel is a declined question.
            return ModuleJournal::Facts{-1, korv::ShowPasswordPanel(ctx, true)};
        });
    });
    connect(Button_reset_pamieci, &QPushButton::clicked, this, [this] {
        StartJournaledJob(JobKind::Reset, [](ModuleContext& ctx) {
            return ModuleJournal::Facts{-1, korv::ResetModuleMemory(ctx) == ResetResult::Done};
        });
    });
    connect(SprWersj2, &QAction::triggered, this, &TMain::SprWersj1Click);
    // Panel and label both press the panel, which runs its command once.
    connect(Panel1b, &PushPanel::clicked, this, [this] {
        if (!AskBeforeDiscarding(Edit(), Discards::Cards))
            return;
        auto outcome = std::make_shared<ReadOutcome>();
        StartJournaledJob(
            JobKind::Read,
            [outcome](ModuleContext& ctx) {
                *outcome = korv::ReadModule(ctx);
                return ModuleJournal::Facts{
                    outcome->registerReplaced ? ctx.state.tablica.CardCount() : -1,
                    outcome->Complete()};
            },
            [this, outcome](AppState& job) {
                TakeZadaSettings(job);
                // Whole or not at all: the register the read built, or the one from before.
                if (!outcome->registerReplaced)
                    return;
                state_.tablica = std::move(job.tablica);
                SpinEdit1Change();
                RefreshViews();
                qtUi().SetCardButtonsEnabled(false);
            });
    });
    connect(Panel2b, &PushPanel::clicked, this, [this] {
        StartJournaledJob(JobKind::Write, &WriteForJournal,
                          [this](AppState& job) { state_.NeedSave = job.NeedSave; });
    });
    connect(Panel3b, &PushPanel::clicked, this, [this] {
        StartJournaledJob(
            JobKind::Verify,
            [](ModuleContext& ctx) {
                return ModuleJournal::Facts{ctx.state.tablica.CardCount(),
                                            korv::VerifyModule(ctx).Matches()};
            },
            [this](AppState& job) { TakeZadaSettings(job); });
    });
    connect(Button_anuluj, &QPushButton::clicked, this, [this] {
        runner_->Cancel();
        Button_anuluj->setEnabled(false);
    });
    // The ZADA controls have no commands of their own; the state follows them so that a write
    // sends what the person sees, and a setting changed is a change the module lacks.
    connect(ComboBox_czas_zamka, &QComboBox::currentIndexChanged, this, [this](int index) {
        state_.zada.lockTime = std::max(index, 0);
        state_.NeedSave = true;
    });
    for (int i = 0; i < 3; ++i)
        connect(RadioGroup_typ_zamkaItems[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on)
                return;
            state_.zada.lockType = i;
            state_.NeedSave = true;
        });
    connect(CheckBox_biper, &QCheckBox::toggled, this, [this](bool on) {
        state_.zada.soundsOn = on;
        state_.NeedSave = true;
    });
}

void TMain::ShowConnection(const ConnectionView& v) {
    Pokaz_poloczenie->setText(v.cableMessage ? QString::fromStdString(MessageText(v.cableMessage))
                                             : QString());
    Pokaz_poloczenie->setStyleSheet("background: " + ColourName(v.cableColour) + ";");
    LabelPolacz->setText(QString::fromStdString(ConnectionLabelText(state_)));
    LabelPolacz->setStyleSheet("color: " + ColourName(v.labelColour) + ";");
    UpdateEnabling();
    Edit_haslo->setText(QString::fromStdString(state_.connection.Edit_haslo));
    if (v.layout) {
        const bool zada = *v.layout == ModuleLayout::Zada;
        GroupBox_ustawienia_mini->setVisible(zada);
        Modul_ZEL->resize(Modul_ZEL->width(),
                          zada ? kModuleGroupHeightZada : kModuleGroupHeightFull);
        Button_reset_pamieci->move(Button_reset_pamieci->x(),
                                   zada ? kResetButtonTopZada : kResetButtonTopFull);
        // At 220 px the full-size panels would hide Verify and half of Save: stack them lower.
        const int height = zada ? 56 : 110, step = zada ? 62 : 125;
        int y = zada ? 22 : 28;
        for (PushPanel* p : {Panel1b, Panel2b, Panel3b}) {
            p->setGeometry(p->x(), y, p->width(), height);
            y += step;
        }
    }
    ShowInfoPanel(v.infoPanel);
}

void TMain::TakeZadaSettings(const AppState& job) {
    // A read or a verify of a ZADA module brings page 1 back; the controls show what it held.
    if (!job.connection.model || !job.connection.model->zadaSettings)
        return;
    state_.zada = job.zada;
    ShowZadaSettings();
}

void TMain::ShowZadaSettings() {
    // What the module holds, not a change of the person's.
    const QSignalBlocker time(ComboBox_czas_zamka), sounds(CheckBox_biper);
    const QSignalBlocker t0(RadioGroup_typ_zamkaItems[0]), t1(RadioGroup_typ_zamkaItems[1]),
        t2(RadioGroup_typ_zamkaItems[2]);
    ComboBox_czas_zamka->setCurrentIndex(state_.zada.lockTime);
    RadioGroup_typ_zamkaItems[std::clamp(state_.zada.lockType, 0, 2)]->setChecked(true);
    CheckBox_biper->setChecked(state_.zada.soundsOn);
}

void TMain::ShowInfoPanel(bool show) {
    if (!show) {
        delete InfoPanel;
        InfoPanel = nullptr;
        return;
    }
    if (InfoPanel)
        return;
    // 12 points on the design's 96-dpi screen.
    InfoPanel =
        ShowNoticePanel(TabSheet10, "InfoPanel", {(ClientArea->width() - 300) / 2, 200, 300, 70},
                        16, QString::fromStdString(MessageText(MsgOtherApplication)));
}

PasswordDialog& TMain::PasswordPanel() {
    if (!passwordDialog_)
        passwordDialog_ = new PasswordDialog(this);
    return *passwordDialog_;
}

VersionView& TMain::VersionPanel() {
    if (!versionView_)
        versionView_ = new VersionView(this);
    return *versionView_;
}

std::optional<std::string> TMain::AskPassword(bool change) {
    PasswordDialog& panel = PasswordPanel();
    panel.changeMode = change;
    if (panel.exec() != QDialog::Accepted)
        return std::nullopt;
    return panel.D1_Edit_Parametry_Haslo_Instalatora->text().toStdString();
}

void TMain::SprWersj1Click() {
    VersionView& panel = VersionPanel();
    panel.setWindowTitle("ZEL v " + ProgramVersion());
    panel.versionPage = QUrl(
        QString::fromStdString(VersionCheckUrl(VersionServer(settingsPath_), LanguageIndex())));
    panel.exec(); // no tick starts under a dialog of the window's own
}

} // namespace korv::ui
