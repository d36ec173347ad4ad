// The main window's side of the command runner: starting a job on a copy of the state, taking
// its findings back when it ended, what may be clicked meanwhile, Cancel, and closing while a
// job runs. The window's thread never waits for the cable.
#include "ui/main_window/main_window.h"

#include "commands/card_commands.h"
#include "commands/close_query.h"
#include "commands/connection_monitor.h"
#include "commands/write_module.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"
#include "ui/main_window/qt_ui.h"
#include "ui/main_window/queued_ui.h"
#include "ui/main_window/ui_bridge.h"
#include "ui/widgets/push_panel.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace korv::ui {

namespace {

// What a job owns on the runner's thread: its copy of the state and the Ui it talks through.
struct Job {
    AppState state;
    std::unique_ptr<QueuedUi> ui;
};

// The status line's places: the cable box, then the progress bar; Cancel at the right end.
constexpr int kCableBoxLeft = 466, kProgressLeft = 644, kProgressTop = 598, kProgressHeight = 22;
constexpr int kProgressWidth = 216, kCancelLeft = 782, kGap = 6;

} // namespace

bool TMain::CommandRunning() const {
    return pendingJob_ || (runner_ && runner_->Busy() && runner_->Kind() != JobKind::MonitorTick);
}

bool TMain::StartJob(JobKind kind, std::function<void(ModuleContext&)> body,
                     std::function<void(AppState& job)> apply) {
    if (runner_->Busy()) {
        // A tick lets go of the cable within a second: a command clicked meanwhile waits for
        // it rather than being lost. Anything else is refused: its controls are off.
        if (kind == JobKind::MonitorTick || runner_->Kind() != JobKind::MonitorTick || pendingJob_)
            return false;
        pendingJob_ = [this, kind, body = std::move(body), apply = std::move(apply)]() mutable {
            StartJob(kind, std::move(body), std::move(apply));
        };
        UpdateEnabling();
        return true;
    }
    auto job = std::make_shared<Job>();
    if (kind == JobKind::MonitorTick) {
        // A tick looks at the cable, never at the cards: it goes without a copy of the register,
        // which a full one would cost on the window's thread every second.
        TTablica kept = std::move(state_.tablica);
        job->state = state_;
        state_.tablica = std::move(kept);
    } else {
        job->state = state_; // the job's inputs, by value
    }
    job->ui = std::make_unique<QueuedUi>(bridge_, ui(), job->state, state_);
    const bool started = runner_->Start(
        kind,
        [job, body = std::move(body)](link::TBEXFTDI& port, const CancelFlag& cancel) {
            ModuleContext ctx{job->state, *job->ui, port, &cancel};
            body(ctx);
        },
        [this, job, kind, apply = std::move(apply)] {
            state_.connection = job->state.connection;
            if (apply)
                apply(job->state);
            JobEnded(kind);
        });
    if (started && kind != JobKind::MonitorTick) {
        ShowJobControls(kind, true);
        UpdateEnabling();
    }
    return started;
}

bool TMain::StartJournaledJob(JobKind kind, ModuleJournal::Body body,
                              std::function<void(AppState& job)> apply) {
    return StartJob(
        kind,
        [journal = journal_.get(), kind, body = std::move(body)](ModuleContext& ctx) {
            journal->Run(kind, ctx, ctx.state.Sciezka, body);
        },
        std::move(apply));
}

ModuleJournal::Facts WriteForJournal(ModuleContext& ctx) {
    // Save and the close query's write offer the module's cards a backup first.
    return {ctx.state.tablica.CardCount(),
            korv::WriteModule(ctx, WriteBackup::Offered()).Complete()};
}

void TMain::JobEnded(JobKind kind) {
    if (kind != JobKind::MonitorTick)
        ShowJobControls(kind, false);
    Edit_haslo->setText(QString::fromStdString(state_.connection.Edit_haslo));
    if (pendingJob_) {
        auto next = std::move(pendingJob_);
        pendingJob_ = nullptr;
        next();
    }
    ShowConnection(state_.connection.view);
    if (closeAfterJob_ && !runner_->Busy()) {
        closeAfterJob_ = false;
        // After the event that ended the job, as if the person closed the window now.
        QTimer::singleShot(0, this, [this] { close(); });
    }
}

void TMain::ShowJobControls(JobKind kind, bool show) {
    // While a command runs the cable box has nothing to say that the command does not: a read
    // or a verify takes its place for a wider progress bar beside Cancel, a write for the note
    // that it cannot be stopped.
    const bool cancellable = show && JobCancellable(kind);
    const QRect bar = cancellable
                          ? QRect(kCableBoxLeft, kProgressTop, kCancelLeft - kGap - kCableBoxLeft,
                                  kProgressHeight)
                          : QRect(kProgressLeft, kProgressTop, kProgressWidth, kProgressHeight);
    PBar1->setGeometry(bar);
    LabelProgres->setGeometry(bar);
    Pokaz_poloczenie->setVisible(!cancellable);
    Button_anuluj->setVisible(cancellable);
    Button_anuluj->setEnabled(true);
    LabelNoCancel->setVisible(show && kind == JobKind::Write);
    if (show)
        LabelNoCancel->raise();
}

void TMain::UpdateEnabling() {
    const bool command = CommandRunning();
    const ConnectionView& v = state_.connection.view;
    SetModulePanelsUsable(v.pushPanels && !command); // grey captions say it as well
    Modul_ZEL->setEnabled(v.moduleGroup && !command);
    Button_zmien_haslo->setEnabled(v.passwordButtons && !command);
    Button_reset_pamieci->setEnabled(v.passwordButtons && !command);
    Edit_haslo->setEnabled(v.passwordBox);
    CheckBox_auto->setEnabled(v.autoCheckBox);
    Button_Znajdz->setEnabled(FindButtonUsable(state_));
    // Input that could start another command or change the register is off while a command
    // runs, so nothing clicked meanwhile happens afterwards; the views stay readable.
    GroupBox_karta->setEnabled(!command);
    EditWybierany->setEnabled(!command);
    GroupBox_ustawienia_mini->setEnabled(!command);
    FileItems->setEnabled(!command);
    Jezyk->menuAction()->setEnabled(!command);
    // The Module menu's items are on exactly when the controls they press are.
    Odczytaj1->setEnabled(Panel1b->isEnabled());
    Zapisz_modul1->setEnabled(Panel2b->isEnabled());
    Weryfikuj1->setEnabled(Panel3b->isEnabled());
    Zmien_haslo1->setEnabled(Button_zmien_haslo->isEnabled());
    Reset_pamieci1->setEnabled(Button_reset_pamieci->isEnabled());
}

void TMain::TimerCheckTimer() {
    // The tick may ask for the password: never over a dialog or a menu the window has open.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return;
    StartJob(
        JobKind::MonitorTick, [](ModuleContext& ctx) { korv::CheckConnection(ctx); },
        [this](AppState&) {
            // Whatever the tick found, files can be opened and saved under a name.
            qtUi().SetMenuItemEnabled(MenuItem::Open, true);
            qtUi().SetMenuItemEnabled(MenuItem::SaveAs, true);
        });
}

bool TMain::eventFilter(QObject* watched, QEvent* event) {
    // After the person cancelled the password panel it waits for them: a click or Enter in the
    // password box brings it back at the next look at the cable.
    const bool asked = event->type() == QEvent::MouseButtonPress ||
                       (event->type() == QEvent::KeyPress &&
                        (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                         static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter));
    if (watched == Edit_haslo && asked && PasswordRefusedAndDeclined(state_)) {
        AskForThePasswordAgain(state_);
        TimerCheckTimer();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMain::ReadCardForDialog(QObject* dialog, std::function<void(const std::string&)> got) {
    auto numer = std::make_shared<std::string>();
    const bool started = StartJob(
        JobKind::CardRead, [numer](ModuleContext& ctx) { *numer = ReadCardAtReader(ctx.port); },
        [numer, target = QPointer<QObject>(dialog), got = std::move(got)](AppState&) {
            if (target)
                got(*numer);
        });
    if (!started && got)
        got(std::string());
}

void TMain::closeEvent(QCloseEvent* event) {
    if (closeApproved_) {
        FormClose();
        event->accept();
        return;
    }
    if (runner_->Busy() || pendingJob_) {
        // A read or a verify stops at its next page; a write, a reset or a password write is
        // let end, and the window asks as usual afterwards.
        event->ignore();
        closeAfterJob_ = true;
        if (runner_->Cancellable())
            runner_->Cancel();
        else if (CommandRunning())
            LabelPolacz->setText(
                QString::fromStdString(OwnText(OwnTextName::ClosesAfterCommand, LanguageIndex())));
        return;
    }
    switch (AskBeforeClosing(Edit())) {
    case CloseAnswer::Close:
        closeApproved_ = true;
        FormClose();
        event->accept();
        return;
    case CloseAnswer::Stay:
        event->ignore();
        return;
    case CloseAnswer::WriteFirst:
        break;
    }
    event->ignore();
    // The same write as Save's, backup offered, then the notice after it.
    StartJournaledJob(JobKind::Write, &WriteForJournal, [this](AppState& job) {
        state_.NeedSave = job.NeedSave;
        closeApproved_ = true;
        QTimer::singleShot(0, this, [this] {
            AfterWriteOnClosing(state_, ui());
            close();
        });
    });
}

} // namespace korv::ui
