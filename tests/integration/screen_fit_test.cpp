// The window on a screen too small for it at the current scale: at 200 % on
// the tests' 1920 x 1080 screen, the window stays on the screen and every
// control can be scrolled to.

#include <QAbstractButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "app/screen_fit.h"
#include "app_fixture.h"

using namespace vek;
using vek::testing::AppTest;

namespace {
// Before the application starts: Qt reads the scale once.
const bool kScaled = [] { return qputenv("QT_SCALE_FACTOR", "2"); }();
}  // namespace

class ScreenFitTest : public AppTest {};

TEST_F(ScreenFitTest, FitsTheScreenAndEveryControlCanBeReached) {
    makeWindow();
    const QScreen* screen = window_->screen();
    ASSERT_TRUE(kScaled);
    ASSERT_EQ(screen->devicePixelRatio(), 2.0);
    auto* scroll = window_->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "with the production panel" : "form alone");
        if (wide) key(Qt::Key_F12, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        EXPECT_TRUE(screen->availableGeometry().contains(window_->frameGeometry()))
            << "window " << window_->frameGeometry().width() << "x" << window_->frameGeometry().height() << " on "
            << screen->availableGeometry().width() << "x" << screen->availableGeometry().height();
        EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
        EXPECT_EQ(window_->form()->height(), app::MainWindow::kHeight) << "the form keeps its layout";

        // Every control the form shows, scrolled to, lies whole in view.
        int checked = 0;
        for (QWidget* w : window_->form()->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QComboBox*>(w) || qobject_cast<QTextEdit*>(w);
            const QRect inForm(w->mapTo(window_->form(), QPoint()), w->size());
            if (!control || !w->isVisibleTo(window_->form()) || !window_->form()->rect().contains(inForm)) continue;
            const QPoint centre = inForm.center();
            scroll->ensureVisible(centre.x(), centre.y(), w->width() / 2 + 1, w->height() / 2 + 1);
            const QRect shown(w->mapTo(scroll->viewport(), QPoint()), w->size());
            const QRect view = scroll->viewport()->rect();
            if (w->height() > view.height())  // the id list, which scrolls itself: as much as the view holds
                EXPECT_EQ(shown.intersected(view).height(), view.height()) << w->objectName().toStdString();
            else
                EXPECT_TRUE(view.contains(shown)) << w->objectName().toStdString();
            ++checked;
        }
        EXPECT_GT(checked, wide ? 70 : 60);

        // What a technician must see whatever is scrolled to: the buttons,
        // the status line and, beside the production panel, the verdict.
        QStringList always{"B_SetConfig", "B_SetDefaults", "B_RemConfig", "B_SetNorvale", "StatusLine", "ProgressBar1"};
        if (wide) always << "Label0";
        for (const QString& name : always) {
            auto* w = window_->findChild<QWidget*>(name);
            ASSERT_NE(w, nullptr) << name.toStdString();
            EXPECT_FALSE(scroll->isAncestorOf(w)) << name.toStdString() << " scrolls away";
            EXPECT_TRUE(w->isVisible()) << name.toStdString();
            const QRect inWindow(w->mapTo(window_.get(), QPoint()), w->size());
            EXPECT_TRUE(window_->rect().contains(inWindow)) << name.toStdString();
        }
    }
}

TEST(ScreenFit, ScrollBarsOnlyWhereTheFormDoesNotFit) {
    const QSize form(557, 742);
    const QMargins frame(0, 30, 0, 0);
    struct Case {
        const char* screen;
        QRect available;
        QSize window;
        bool across, down;
    };
    const Case cases[] = {
        {"1920x1080 at 100 %", QRect(0, 0, 1920, 1040), QSize(557, 742), false, false},
        {"1920x1080 at 150 %", QRect(0, 0, 1280, 693), QSize(557 + 14, 663), false, true},
        {"1920x1080 at 200 %", QRect(0, 0, 960, 520), QSize(557 + 14, 490), false, true},
        {"narrow and short", QRect(0, 0, 500, 500), QSize(500, 470), true, true},
        {"narrow only", QRect(0, 0, 500, 1000), QSize(500, 742 + 14), true, false},
        {"a scroll bar too many", QRect(0, 0, 565, 700), QSize(565, 670), true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        const app::ScreenFit fit = app::fitForm(form, c.available, frame, 14);
        EXPECT_EQ(fit.window, c.window);
        EXPECT_EQ(fit.across, c.across);
        EXPECT_EQ(fit.down, c.down);
    }
}
