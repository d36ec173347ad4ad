// The window's module side: the monitor's row drawn, the information panel, and both modes of
// the password / version panel. No dialog is executed modally here.
#include "commands/version_check.h"
#include "support/scripted_ui.h"
#include "ui/dialogs/password_dialog.h"
#include "ui/info/version_view.h"
#include "ui/widgets/push_panel.h"
#include "window_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextBrowser>

namespace korv::test {
namespace {

TEST_F(WindowTest, TheMonitorsRowLaysOutZadaAndFullModulesAndTheInformationPanel) {
    auto& w = Start();
    ConnectionView v;
    v.outcome = LinkOutcome::CurrentModule;
    v.cableMessage = 34;
    v.cableColour = Colour::Lime;
    v.labelColour = Colour::Green;
    v.pushPanels = true;
    v.layout = ModuleLayout::Zada;
    w.state().connection.ConnectionMessage = 31;
    w.state().connection.ModuleName = "PEL-ZEL-ZADA";
    w.ShowConnection(v);
    EXPECT_EQ(w.Modul_ZEL->height(), 220);
    EXPECT_EQ(w.Button_reset_pamieci->y(), 250);
    EXPECT_TRUE(w.GroupBox_ustawienia_mini->isVisible());
    // Every push panel stays inside the shortened group.
    for (QWidget* p : {static_cast<QWidget*>(w.Panel1b), static_cast<QWidget*>(w.Panel2b),
                       static_cast<QWidget*>(w.Panel3b)})
        EXPECT_LE(p->geometry().bottom(), w.Modul_ZEL->height());
    EXPECT_EQ(w.LabelPolacz->text(), "Connected with module PEL-ZEL-ZADA");
    EXPECT_EQ(w.Pokaz_poloczenie->text(), "USB cable connected");
    EXPECT_TRUE(w.Pokaz_poloczenie->styleSheet().contains("#00ff00"));

    v.layout = ModuleLayout::Full;
    v.infoPanel = true;
    w.ShowConnection(v);
    EXPECT_EQ(w.Modul_ZEL->height(), 470);
    EXPECT_EQ(w.Button_reset_pamieci->y(), 492);
    EXPECT_FALSE(w.GroupBox_ustawienia_mini->isVisible());
    ASSERT_NE(w.InfoPanel, nullptr);
    EXPECT_EQ(w.InfoPanel->geometry(), QRect((w.width() - 300) / 2, 200, 300, 70));
    auto* label = w.InfoPanel->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), Msg(210));
    v.infoPanel = false;
    w.ShowConnection(v);
    EXPECT_EQ(w.InfoPanel, nullptr);
}

TEST_F(WindowTest, PasswordPanelSizesFiltersPadsAndLetsEnterCancel) {
    auto& w = Start();
    EXPECT_EQ(w.VersionPanel().size(), QSize(327, 231));
    ui::PasswordDialog& panel = w.PasswordPanel();
    panel.changeMode = true;
    EXPECT_EQ(panel.size(), QSize(269, 141));
    EXPECT_EQ(panel.GroupBox3->pos(), QPoint(8, 4));
    panel.show();
    QApplication::processEvents();
    EXPECT_TRUE(panel.GroupBox3->isVisible());
    EXPECT_EQ(panel.windowTitle(), Msg(153));
    EXPECT_EQ(panel.D1_Button_Zatwierdz_zmiane_Parametrow->text(), Msg(150));

    QLineEdit* edit = panel.D1_Edit_Parametry_Haslo_Instalatora;
    edit->clear();
    QTest::keyClicks(edit, "1a.-");
    EXPECT_EQ(edit->text(), "1");
    QTest::keyClicks(edit, "23456");
    EXPECT_EQ(edit->text(), "1234"); // four digits at most
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "1");

    // Enter presses Cancel: the panel closes rejected and the text stays unpadded.
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(panel.result(), QDialog::Rejected);
    EXPECT_EQ(edit->text(), "1");

    panel.changeMode = false;
    panel.show();
    QApplication::processEvents();
    EXPECT_EQ(panel.windowTitle(), Msg(155));
    EXPECT_EQ(panel.D1_Button_Zatwierdz_zmiane_Parametrow->text(), Msg(154));
    panel.D1_Button_Zatwierdz_zmiane_Parametrow->click();
    EXPECT_EQ(panel.result(), QDialog::Accepted);
    EXPECT_EQ(edit->text(), "0001");
}

// A one-shot HTTP server on 127.0.0.1: answers with `page`, or never when page is empty.
class PageServer {
public:
    explicit PageServer(QByteArray page) : page_(std::move(page)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            QTcpSocket* s = server_.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, [this, s] {
                request_ += s->readAll();
                if (!request_.contains("\r\n\r\n") || page_.isEmpty())
                    return;
                s->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                         QByteArray::number(page_.size()) + "\r\n\r\n" + page_);
                s->disconnectFromHost();
            });
        });
    }
    QString Base() const { return QString("http://127.0.0.1:%1/").arg(server_.serverPort()); }
    const QByteArray& Request() const { return request_; }

private:
    QTcpServer server_;
    QByteArray page_;
    QByteArray request_;
};

TEST_F(WindowTest, VersionPanelShowsTheServersPageOrSaysWithinItsTimeThatItFailed) {
    auto& w = Start();
    ui::VersionView& panel = w.VersionPanel();

    PageServer server("<p>ZEL 7.4 is the newest version.</p>");
    panel.versionPage =
        QUrl(QString::fromStdString(VersionCheckUrl(server.Base().toStdString(), LanguageIndex())));
    panel.show();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return panel.WebBrowser1->toPlainText().contains("newest version"); }, 10000));
    EXPECT_TRUE(
        server.Request().startsWith("GET /update/chkupdate.php?ver_nmb=74&prog=ZEL7&lang=en "));
    panel.Button_sprawdz_wersje->click();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(panel.WebBrowser1->toPlainText().isEmpty());

    PageServer silent("");
    panel.versionPage = QUrl(silent.Base() + "update/chkupdate.php");
    panel.pageTimeoutMs = 300;
    panel.show();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return panel.WebBrowser1->toPlainText().contains("could not be loaded"); }, 5000));
    panel.reject();
}

} // namespace
} // namespace korv::test
