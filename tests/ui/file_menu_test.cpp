#include "modal.h"
#include "ui/dialogs/zone_chooser.h"
#include "ui/widgets/apartment_box.h"
#include "window_fixture.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

using namespace korv;
using korv::test::WhenModal;
using korv::test::WindowTest;

namespace {

// The message box that comes up next: its text, then the button pressed.
void ThenPress(QMessageBox::StandardButton button, QString* text) {
    WhenModal([=](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box) {
            ADD_FAILURE() << "expected a message box, got " << w->metaObject()->className();
            w->close();
            return;
        }
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST_F(WindowTest, OpeningANonCardFileRefusesItButNamesItAndEnablesSave) {
    ui::TMain& w = Start();
    w.state().tablica.AddCard(1, 4, {"77", false, "kept"});
    w.SpinEdit1->setValue(9);
    Tick(w); // the first monitor tick switches Open on
    ASSERT_TRUE(w.Otwrz1->isEnabled());
    const QString path = dir.path() + "/notes.txt";
    WriteFile(path, "just some notes\r\n");

    QString shown;
    AnswerFileQuestions({path});
    ThenPress(QMessageBox::Ok, &shown);
    w.Otwrz1->trigger();
    EXPECT_EQ(shown, "Wrong file!");
    EXPECT_EQ(w.windowTitle(), "ZEL - " + path);
    EXPECT_TRUE(w.Zapisz1->isEnabled());
    EXPECT_TRUE(w.Dopisz_plik->isEnabled());
    EXPECT_EQ(w.state().tablica.CardCount(), 1);
    EXPECT_EQ(w.SpinEdit1->value(), 0);
    EXPECT_FALSE(w.runner().Busy());
    EXPECT_TRUE(w.TimerCheck->isActive());
}

TEST_F(WindowTest, SaveAsNewAndOpenBringTheRegisterBack) {
    ui::TMain& w = Start();
    Tick(w);
    w.state().tablica.AddCard(3, 12, {"42", true, "Door A"});
    w.state().tablica.AddCard(1, 5, {"1234567", false, "Garage"});
    w.state().tablica.Cell(1, 5).wybierany = "0105";
    w.RefreshViews();
    const QString path = dir.path() + "/house.zel";

    AnswerFileQuestions({path, path});
    w.Zapiszjako1->trigger();
    EXPECT_EQ(w.windowTitle(), "ZEL - " + path);
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_TRUE(w.Zapisz1->isEnabled());

    w.Nowy1->trigger();
    EXPECT_EQ(w.windowTitle(), "ZEL v7.2");
    EXPECT_EQ(w.state().tablica.CardCount(), 0);
    EXPECT_EQ(w.LabelSuma->text(), Msg(70));

    w.Otwrz1->trigger();
    EXPECT_EQ(w.state().tablica.CardCount(), 2);
    EXPECT_EQ(w.state().tablica.Cell(1, 5).wybierany, "0105");
    EXPECT_EQ(w.state().tablica.Cell(3, 12).lista.at(0), (TKarta{"42", true, "Door A"}));
    EXPECT_TRUE(w.state().NeedSave);
    EXPECT_EQ(w.LabelSuma->text(), Msg(72) + "2" + Msg(73));
}

TEST_F(WindowTest, TheFileDialogsAreSetUpForOpeningAndSaving) {
    ui::TMain& w = Start();
    const auto open = ui::MakeFileDialog(
        &w, {false, ui::QtFilterFromPipes("ZEL (*.zel)|*.zel|All (*.*)|*.*"), {}, {}});
    EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open->fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(open->nameFilters(), (QStringList{"ZEL (*.zel)", "All (*.*)"}));
    EXPECT_TRUE(open->testOption(QFileDialog::DontUseNativeDialog));
    const auto save = ui::MakeFileDialog(&w, {true, "Module ZEL (*.zel)", "zel", dir.path()});
    EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(save->defaultSuffix(), "zel");
    // Save as asks before replacing a file itself; the dialog asking too would ask twice.
    EXPECT_TRUE(save->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(save->directory().absolutePath(), QDir(dir.path()).absolutePath());
    EXPECT_FALSE(save->isVisible());

    // The window's commands ask through the chooser with the catalogue's filters.
    Tick(w);
    AnswerFileQuestions({std::nullopt, std::nullopt});
    w.Otwrz1->trigger();
    w.Zapiszjako1->trigger();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_FALSE(asked[0].save);
    EXPECT_TRUE(asked[1].save);
    EXPECT_EQ(asked[0].filter, "Module ZEL (*.zel);;Text files (*.txt);;All files (*.*)");
    EXPECT_EQ(asked[1].filter, "Module ZEL (*.zel)");
    EXPECT_EQ(asked[1].defaultSuffix, "zel");
}

TEST_F(WindowTest, SaveAsAsksOnceBeforeReplacingAndEveryFileDialogStartsInTheLastFolder) {
    ui::TMain& w = Start();
    Tick(w);
    w.state().tablica.AddCard(1, 5, {"77", false, ""});
    ASSERT_TRUE(QDir(dir.path()).mkdir("site"));
    const QString site = dir.path() + "/site", house = site + "/house.zel";
    WriteFile(house, "two cards");

    // A bare name is the filter's .zel file, which is there: asked once, then replaced.
    QString question;
    AnswerFileQuestions({site + "/house", std::nullopt});
    ThenPress(QMessageBox::Yes, &question);
    w.Zapiszjako1->trigger();
    EXPECT_EQ(question, "The file " + house + " already exists. Do you want to replace it?");
    EXPECT_EQ(w.windowTitle(), "ZEL - " + house);
    QFile written(house);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("RUF-KARTYv9\r\n"));

    // Open starts where Save as was left, and the settings file keeps it for the next run.
    w.Otwrz1->trigger();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].folder, "");
    EXPECT_EQ(asked[1].folder, site);
    EXPECT_TRUE(settingsText().contains("OstatniFolder=" + site.toUtf8()));
}

TEST_F(WindowTest, AddingAnOldFileAsksTheQuestionThenTheZone) {
    ui::TMain& w = Start();
    // A one-zone file: the magic line and 256 apartment lines, padded to a size it may have.
    QByteArray v2 = "RUF-KARTYv2\r\n";
    for (int k = 0; k < 256; ++k) {
        QByteArray line = k == 3 ? "301;302;" : (k == 200 ? "$7;abc;-5" : "0");
        v2 += line.leftJustified(11, ' ') + "\r\n";
    }
    ASSERT_GE(v2.size(), 3328);
    const QString path = dir.path() + "/old.zel";
    WriteFile(path, v2);
    w.Nowy1->trigger();
    w.state().tablica.AddCard(1, 0, {"5", false, "already here"});
    w.Dopisz_plik->setEnabled(true); // as after an earlier open or save

    QStringList seen;
    AnswerFileQuestions({path});
    // the question comes first, then the zone chooser
    std::function<void()> answer = [&] {
        WhenModal([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                seen << "question:" + box->text();
                box->button(QMessageBox::Yes)->click();
                answer();
            } else if (auto* zone = qobject_cast<ui::TFormStrefa*>(modal)) {
                seen << "zone";
                zone->SpinEdit1->setValue(3);
                zone->Button1->click();
            } else {
                ADD_FAILURE() << "unexpected " << modal->metaObject()->className();
                modal->close();
            }
        });
    };
    answer();
    w.Dopisz_plik->trigger();
    EXPECT_EQ(seen, (QStringList{"question:Are you sure to save this file?", "zone"}));
    EXPECT_EQ(w.state().tablica.CardCount(), 4);
    ASSERT_EQ(w.state().tablica.Cell(3, 3).lista.size(), 2u);
    EXPECT_EQ(w.state().tablica.Cell(3, 3).lista[1].numer, "302");
    EXPECT_EQ(w.state().tablica.Cell(3, 200).lista.at(0).numer, "7");
    EXPECT_TRUE(w.state().NeedSave);
    EXPECT_EQ(w.windowTitle(), "ZEL v7.2"); // appending never renames the window
    EXPECT_TRUE(w.Zapisz1->isEnabled());
    EXPECT_FALSE(w.runner().Busy());
}
