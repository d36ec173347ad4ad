// GoogleTest main for the window tests: one QApplication, our style, the offscreen platform
// with a screen of KORV_TEST_SCREEN's size ("1280x800"), by default one that holds the window.
#include "app/offscreen_screen.h"
#include "ui/app_identity.h"
#include "ui/app_style.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const QSize screen = korv::app::ParseScreenSize(qgetenv("KORV_TEST_SCREEN"), QSize(1920, 1080));
    const auto screenConfig = korv::app::UseOffscreenScreen(screen);
    if (!screenConfig)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    korv::ui::ApplyAppStyle(app);
    korv::ui::ApplyAppIdentity(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
