// Answers the next modal window once it is up, from inside its event loop.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace korv::test {

inline void WhenModal(std::function<void(QWidget*)> act, int triesLeft = 200) {
    QTimer::singleShot(10, [act = std::move(act), triesLeft]() mutable {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->isVisible())
            act(w);
        else if (triesLeft > 0)
            WhenModal(std::move(act), triesLeft - 1);
    });
}

} // namespace korv::test
