// What every window of the program shares besides its style: the application's name, a
// desktop title exactly as the window sets it, Qt's own texts in the program's language, and
// menu shortcuts that text boxes cannot swallow.
#pragma once

#include <QObject>

class QApplication;
class QWidget;

namespace korv::ui {

// The name message boxes without a caption show. No display name is set: Qt would append it
// to every window title ("ZEL v7.4 — KORV"), and the title must be exactly what we set.
void ApplyAppIdentity(QApplication& app);

// Qt's own texts (dialog buttons, the file dialog) in the language (0..5), from the Qt
// translations the system ships; English when they are missing. Replaces the previous one.
void UseQtTranslations(int language);

// Lets the File menu's Ctrl+X (Close) and Ctrl+Z (Save as) through a text box that would
// take them as Cut and Undo.
class MenuShortcutsFirst : public QObject {
public:
    using QObject::QObject;
    static void Install(QWidget* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace korv::ui
