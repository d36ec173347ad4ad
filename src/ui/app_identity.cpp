#include "ui/app_identity.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>

#include <array>

namespace korv::ui {

void ApplyAppIdentity(QApplication& app) {
    app.setApplicationName("KORV");
    // Set, and empty: an unset display name falls back to the application name, which Qt
    // then appends to window titles on X11.
    QGuiApplication::setApplicationDisplayName(QString(""));
}

void UseQtTranslations(int language) {
    // Polish, English, German, Russian, Czech, Slovak: the catalogue's order.
    static const std::array<const char*, 6> codes = {"pl", "en", "de", "ru", "cs", "sk"};
    static QTranslator* current = nullptr;
    if (current) {
        QCoreApplication::removeTranslator(current);
        delete current;
        current = nullptr;
    }
    if (language < 0 || language >= static_cast<int>(codes.size()) || language == 1)
        return; // Qt speaks English by itself
    auto* translator = new QTranslator(qApp);
    if (translator->load(QString("qtbase_") + codes[language],
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        current = translator;
    } else {
        delete translator;
    }
}

void MenuShortcutsFirst::Install(QWidget* box) {
    box->installEventFilter(new MenuShortcutsFirst(box));
}

bool MenuShortcutsFirst::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const auto combo = key->keyCombination();
        if (combo == QKeyCombination(Qt::ControlModifier, Qt::Key_X) ||
            combo == QKeyCombination(Qt::ControlModifier, Qt::Key_Z)) {
            // Not accepted and not passed on: the shortcut map fires the menu's action.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korv::ui
