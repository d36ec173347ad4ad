// The main window on the screen the test process was given (size and scale come from the
// environment; tests/ui/CMakeLists.txt runs this program on several): it fits the screen,
// scrolls to every control when the screen is smaller, and clips none.
#include "ui/widgets/apartment_grid.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

using namespace korv;
using korv::test::WindowTest;

namespace {

std::string Describe(const QWidget* w) {
    const QRect g = w->geometry();
    return w->objectName().toStdString() + " " + std::to_string(g.x()) + "," +
           std::to_string(g.y()) + " " + std::to_string(g.width()) + "x" +
           std::to_string(g.height());
}

} // namespace

TEST_F(WindowTest, FitsTheScreenScrollsToEveryControlAndClipsNone) {
    ui::TMain& w = Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRect area = w.screen()->availableGeometry();
    EXPECT_TRUE(area.contains(w.frameGeometry()))
        << "window " << Describe(&w) << " on " << area.width() << "x" << area.height();

    // The client keeps the design's width; it grows only in height, as a taller tab bar needs.
    QWidget* client = w.ClientArea;
    EXPECT_EQ(client->width(), 868);
    EXPECT_GE(client->height(), 625);
    EXPECT_LE(client->height(), 625 + 20);

    // Nothing is clipped: every control shown lies inside its parent, the grid inside the page.
    std::vector<QWidget*> controls;
    for (QWidget* c : client->findChildren<QWidget*>()) {
        if (!c->isVisibleTo(&w))
            continue;
        EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry()))
            << Describe(c) << " outside " << Describe(c->parentWidget());
        if (qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) ||
            qobject_cast<QAbstractSpinBox*>(c) || qobject_cast<QLabel*>(c) || c == w.Grid ||
            c == w.ListView1)
            controls.push_back(c);
    }
    ASSERT_GE(controls.size(), 25u); // the walk found the controls

    // Scroll bars exactly where the client does not fit, reaching all of it.
    QScrollArea* scroll = w.ClientScroll;
    const QSize view = scroll->viewport()->size();
    const bool fits = client->width() <= view.width() && client->height() <= view.height();
    EXPECT_EQ(scroll->horizontalScrollBar()->isVisible(), client->width() > view.width());
    EXPECT_EQ(scroll->verticalScrollBar()->isVisible(), client->height() > view.height());
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(),
              std::max(0, client->width() - view.width()));
    EXPECT_EQ(scroll->verticalScrollBar()->maximum(),
              std::max(0, client->height() - view.height()));
    if (area.height() >= 700 && area.width() >= 900 && w.devicePixelRatioF() == 1.0) {
        EXPECT_TRUE(fits) << "a screen that holds the window shows it whole, without scroll bars";
    }
    for (QWidget* c : controls) {
        scroll->ensureWidgetVisible(c, 0, 0);
        const QRect shown(c->mapTo(scroll->viewport(), QPoint()), c->size());
        EXPECT_TRUE(scroll->viewport()->rect().contains(shown))
            << Describe(c) << " not reachable by scrolling";
    }
}
