#include "ui/dialogs/message_box.h"

#include "commands/ui_seam.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>

namespace korv::ui {

int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, int flags,
                   const QString& details) {
    QMessageBox box(parent);
    box.setObjectName("MessageBox");
    box.setText(text);
    if (!details.isEmpty()) {
        box.setDetailedText(details);
        // One card a line: wide enough that a line never wraps into the next card's.
        if (auto* edit = box.findChild<QTextEdit*>()) {
            edit->setLineWrapMode(QTextEdit::NoWrap);
            edit->setMinimumWidth(
                edit->fontMetrics().horizontalAdvance(details.section('\n', 0, 0)) + 40);
        }
    }
    box.setWindowTitle(caption.isEmpty() ? QApplication::applicationName() : caption);
    switch (flags & 0xF0) {
    case 0x10:
        box.setIcon(QMessageBox::Critical);
        break;
    case 0x20:
        box.setIcon(QMessageBox::Question);
        break;
    case 0x30:
        box.setIcon(QMessageBox::Warning);
        break;
    case 0x40:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    switch (flags & 0x0F) {
    case 3: // Yes, No, Cancel
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case 4: // Yes, No
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton((flags & 0x100) ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return IdYes;
    case QMessageBox::No:
        return IdNo;
    case QMessageBox::Cancel:
        return IdCancel;
    default:
        return IdOk;
    }
}

void ShowPlainMessage(QWidget* parent, const QString& text) {
    QMessageBox box(parent);
    box.setObjectName("PlainMessage");
    box.setText(text);
    box.setWindowTitle(QApplication::applicationName());
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

} // namespace korv::ui
