// A main window on a settings file of its own, in a folder that disappears after the test.
#pragma once

#include "i18n/catalogue.h"
#include "modal.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/qt_ui.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <vector>

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

    // Lets the window's events run until no job of its command runner is left, within a
    // deadline; the questions a job asks are answered meanwhile by the test's WhenModal.
    static bool Settle(ui::TMain& w, int deadlineMs = 2 * kModalDeadlineMs) {
        const QDeadlineTimer deadline(deadlineMs);
        while (w.runner().Busy() || w.CommandRunning()) {
            if (deadline.hasExpired()) {
                ADD_FAILURE() << "a job of the command runner did not end in time";
                return false;
            }
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        QApplication::processEvents();
        return true;
    }
    // One monitor tick, to its end.
    static void Tick(ui::TMain& w) {
        Settle(w);
        w.TimerCheckTimer();
        Settle(w);
    }

    // Answers the window's next file questions with these names (nothing: cancelled), and
    // records what was asked.
    void AnswerFileQuestions(std::vector<std::optional<QString>> names) {
        answers = std::move(names);
        window->qtUi().SetFileChooser(
            [this](const ui::FileQuestion& q) -> std::optional<std::string> {
                asked.push_back(q);
                if (answers.empty()) {
                    ADD_FAILURE() << "an unexpected file question";
                    return std::nullopt;
                }
                auto name = answers.front();
                answers.erase(answers.begin());
                if (!name)
                    return std::nullopt;
                return name->toStdString();
            });
    }

    QTemporaryDir dir;
    std::unique_ptr<ui::TMain> window;
    std::vector<std::optional<QString>> answers;
    std::vector<ui::FileQuestion> asked;
    ModalWatchdog watchdog;
};

} // namespace korv::test
