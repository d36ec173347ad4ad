// Answering modal windows from inside their event loops, always within a deadline: a helper
// that cannot do its job fails the test and closes what it found, it never leaves a window up.
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

namespace korv::test {

inline constexpr int kModalDeadlineMs = 5000;

// Runs act on the next modal window once it is up. When none comes up in time the test fails.
inline void WhenModal(std::function<void(QWidget*)> act,
                      QDeadlineTimer deadline = QDeadlineTimer(kModalDeadlineMs)) {
    QTimer::singleShot(10, [act = std::move(act), deadline]() mutable {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->isVisible())
            act(w);
        else if (deadline.hasExpired())
            ADD_FAILURE() << "no modal window came up within " << kModalDeadlineMs << " ms";
        else
            WhenModal(std::move(act), deadline);
    });
}

// What a message box says, for the failure report.
inline std::string ModalText(QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    return box ? ": \"" + box->text().toStdString() + "\"" : std::string();
}

// Closes any modal window that stays up longer than its deadline and fails the test, so a
// test whose answer went astray ends instead of hanging.
class ModalWatchdog {
public:
    ModalWatchdog() {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (w != seen_) {
                seen_ = w;
                since_ = QDeadlineTimer(2 * kModalDeadlineMs);
                return;
            }
            if (w && since_.hasExpired()) {
                ADD_FAILURE() << "a modal window (" << w->metaObject()->className() << " "
                              << w->objectName().toStdString() << ") stayed open; closed it"
                              << ModalText(w);
                if (auto* d = qobject_cast<QDialog*>(w))
                    d->reject();
                else
                    w->close();
            }
        });
        timer_.start();
    }

private:
    QTimer timer_;
    QWidget* seen_ = nullptr;
    QDeadlineTimer since_;
};

} // namespace korv::test
