#include "ui/info/info_text_window.h"

#include "i18n/own_texts.h"
#include "ui/info/desktop_links.h"
#include "ui/info/maker_details.h"
#include "ui/widgets/link_label.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTextEdit>

#include <algorithm>

// The texts are a resource of this static library; a program linking it registers them here,
// where they are read, since nothing else would pull them in.
static void InitInfoTexts() {
    Q_INIT_RESOURCE(info_texts);
}

namespace korv::ui {

namespace {

QString Resource(const QString& name) {
    InitInfoTexts();
    QFile f(":/info/" + name);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QPlainTextEdit* Memo(QWidget* parent, const char* name, QRect where, const QString& text) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setGeometry(where);
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont f("Verdana");
    f.setPixelSize(12);
    memo->setFont(f);
    memo->setPlainText(text);
    return memo;
}

} // namespace

InfoTextWindow::InfoTextWindow(QWidget* parent, const char* name, const QString& title,
                               QSize client, const QString& polishText, const QString& englishText)
    : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(title);
    setFixedSize(client);
    Label1 = new QLabel("Info", this);
    Label1->setObjectName("Label1");
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPixelSize(16);
    Label1->setFont(heading);
    Label1->setGeometry(12, 8, 200, 22);
    const QRect memo(12, 36, client.width() - 24, client.height() - 90);
    Memo1 = Memo(this, "Memo1", memo, polishText);
    Memo2 = Memo(this, "Memo2", memo, englishText);
    // The heading names the text for a screen reader, in either language.
    Memo1->setAccessibleName(Label1->text());
    Memo2->setAccessibleName(Label1->text());
    ButtonOK = new QPushButton("OK", this);
    ButtonOK->setObjectName("ButtonOK");
    ButtonOK->setGeometry(client.width() - 212, client.height() - 42, 96, 30);
    ButtonDrukuj = new QPushButton(this);
    ButtonDrukuj->setObjectName("ButtonDrukuj");
    ButtonDrukuj->setGeometry(client.width() - 108, client.height() - 42, 96, 30);
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName("RichEdit1");
    RichEdit1->setVisible(false);
    askPrinter = [](QPrinter&, InfoTextWindow& window) {
        return window.MakePrintDialog()->exec() == QDialog::Accepted;
    };
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonDrukuj, &QPushButton::clicked, this, &InfoTextWindow::DrukujClick);
    ShowLanguage(0);
}

void InfoTextWindow::ShowLanguage(int language) {
    language_ = language;
    Memo1->setVisible(language == 0);
    Memo2->setVisible(language != 0);
    ButtonDrukuj->setText(QString::fromStdString(OwnText(OwnTextName::PrintButton, language)));
}

std::unique_ptr<QPrintDialog> InfoTextWindow::MakePrintDialog() {
    auto dialog = std::make_unique<QPrintDialog>(&printer, this);
    dialog->setMinMax(1, 1);
    dialog->setFromTo(1, 1);
    return dialog;
}

void InfoTextWindow::DrukujClick() {
    if (!askPrinter(printer, *this))
        return;
    RichEdit1->setPlainText((language_ == 0 ? Memo1 : Memo2)->toPlainText());
    printer.setDocName(QString());
    RichEdit1->print(&printer);
    RichEdit1->clear();
}

TForm_Help::TForm_Help(QWidget* parent)
    : InfoTextWindow(parent, "Form_Help", "RUF-ZEL", {796, 433}, Resource("help_pl.txt"),
                     Resource("help_en.txt")) {
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(12, height() - 38, 80, 22);
    Label3 = new LinkLabel(this, "Label3", Qt::blue, Qt::blue);
    Label3->setText(maker::kLoginPage);
    Label3->setGeometry(94, height() - 38, 360, 22);
    connect(Label3, &LinkLabel::clicked, this, [] { OpenLink(QUrl(maker::kLoginPage)); });
    ShowLanguage(0);
}

void TForm_Help::ShowLanguage(int language) {
    InfoTextWindow::ShowLanguage(language);
    Label2->setText(QString::fromStdString(OwnText(OwnTextName::InstructionsLabel, language)));
    // The link follows the label, whichever language made it wider.
    Label2->resize(std::max(80, Label2->sizeHint().width()), Label2->height());
    Label3->move(Label2->x() + Label2->width() + 2, Label3->y());
}

TO_USB::TO_USB(QWidget* parent)
    : InfoTextWindow(parent, "O_USB", "O_USB", {790, 451}, Resource("usb_pl.txt"),
                     Resource("usb_en.txt")) {}

void ShowCentred(QDialog& dialog, QWidget* over) {
    if (over)
        dialog.move(over->geometry().center() - dialog.rect().center());
    dialog.exec();
}

} // namespace korv::ui
