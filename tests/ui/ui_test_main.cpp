// GoogleTest main for the window tests: one QApplication, our style, the offscreen platform.
#include "ui/app_identity.h"
#include "ui/app_style.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    korv::ui::ApplyAppStyle(app);
    korv::ui::ApplyAppIdentity(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
