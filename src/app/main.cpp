// korv: program entry.
#include "i18n/settings_file.h"
#include "ui/app_identity.h"
#include "ui/app_style.h"
#include "ui/main_window/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    korv::ui::ApplyAppStyle(app);
    korv::ui::ApplyAppIdentity(app);

    korv::ui::TMainOptions options;
    options.settingsPath =
        korv::SettingsFileName(QApplication::applicationFilePath().toStdString());
    options.userSettingsPath = korv::UserSettingsFileName();
    korv::ui::TMain window(options);
    window.show();
    return app.exec();
}
