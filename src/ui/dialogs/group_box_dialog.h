// A small fixed dialog that is one group box: sized around it, and opened over the middle of
// the window that asks.
#pragma once

#include <QDialog>
#include <QGroupBox>

namespace korv::ui {

inline void FitDialogToGroup(QDialog& dialog, QGroupBox& box) {
    dialog.setFixedSize(box.width() + 16, box.height() + 12);
    box.move(8, 4);
}

inline void CentreOnParent(QDialog& dialog) {
    if (QWidget* parent = dialog.parentWidget())
        dialog.move(parent->geometry().center() - dialog.rect().center());
}

} // namespace korv::ui
