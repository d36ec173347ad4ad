#pragma once

#include <QString>

class QWidget;

namespace korv::ui {

// A modal message box with Windows flag values (16, 35, 48, 64, 292) that returns the Windows
// result codes (1 OK, 2 Cancel, 6 Yes, 7 No). An empty caption shows the application title.
// Details, when given, unfold under a "Show Details..." button.
int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, int flags,
                   const QString& details = QString());

// A plain notice: the text, the application title, one OK button.
void ShowPlainMessage(QWidget* parent, const QString& text);

} // namespace korv::ui
