// A main window on a settings file of its own, in a folder that disappears after the test.
#pragma once

#include "i18n/catalogue.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace korv::test {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override {
        window.reset();
        SetLanguageIndex(English);
    }

    // Starts the window, optionally with a settings file holding `settings`.
    ui::TMain& Start(const QByteArray& settings = {}) {
        if (!settings.isNull()) {
            QFile f(settingsPath());
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(settings);
        }
        ui::TMainOptions options;
        options.settingsPath = settingsPath().toStdString();
        window = std::make_unique<ui::TMain>(options);
        window->show();
        QApplication::processEvents();
        return *window;
    }

    QString settingsPath() const { return dir.path() + "/korv.ini"; }
    QByteArray settingsText() const {
        QFile f(settingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QString Msg(int slot) { return QString::fromStdString(MessageText(slot)); }

    QTemporaryDir dir;
    std::unique_ptr<ui::TMain> window;
};

} // namespace korv::test
