// The host menu and the ways the Qt host's program ends.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include <atomic>

#include "host/host.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "host/qt/qt_text_window.h"
#include "qt_test_app.h"

namespace {

QMessageBox* open_box() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

// Clicks the button of the open box whose label is `label`; false when there is none.
bool click_box_button(const QString& label) {
    QMessageBox* box = open_box();
    if (box == nullptr) return false;
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == label) {
            button->click();
            return true;
        }
    }
    return false;
}

void trigger(HostCommand command) { qt_host().main_window->action(command)->trigger(); }

// The application: starts, arranges what the GUI side is to do (`arrange`, once it is surely
// running), then counts its host calls until the host stops it.
template <class Arrange>
void count_for_ever(std::atomic<int>* count, Arrange arrange) {
    start_canvas();
    tick_count();
    ++*count;
    arrange();
    for (;;) {
        tick_count();
        ++*count;
    }
}

}  // namespace

TEST(QtHostControl, PauseHoldsTheApplicationUntilTheNoticeIsClosed) {
    std::atomic<int> count{0};
    int before = -1, during = -1, after = -1;
    QString notice, caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool closed = false;
    const int code = run_host([&] {
        count_for_ever(&count, [&] {
            later(100, [] { trigger(HostCommand::pause); });
            later(300, [&] {
                before = count.load();
                if (QMessageBox* box = open_box()) {
                    notice = box->text();
                    caption = box->windowTitle();
                    icon = box->icon();
                }
            });
            later(500, [&] {
                during = count.load();
                closed = click_box_button(QStringLiteral("OK"));
            });
            later(800, [&] {
                after = count.load();
                qt_host().main_window->close();
            });
        });
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(test_app().freed, 1);
    EXPECT_EQ(notice, QString::fromUtf16(u"Zelkon アプリケーションは停止中です"));
    EXPECT_EQ(caption, QStringLiteral(" tarvolo Zel kon interface"));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_TRUE(closed);
    EXPECT_GT(before, 0);
    EXPECT_EQ(during, before) << "the application ran while paused";
    EXPECT_GT(after, during) << "the application did not continue after the pause";
}

TEST(QtHostControl, QuitAsksFirstAndEndsOnlyOnYes) {
    std::atomic<int> count{0};
    QString question;
    int after_no = -1, later_still = -1;
    const int code = run_host([&] {
        count_for_ever(&count, [&] {
            later(100, [] { trigger(HostCommand::quit); });
            later(250, [&] {
                if (QMessageBox* box = open_box()) question = box->text();
                click_box_button(QString::fromUtf16(u"いいえ(&N)"));
            });
            later(400, [&] { after_no = count.load(); });
            later(600, [&] {
                later_still = count.load();
                trigger(HostCommand::quit);
            });
            later(750, [] { click_box_button(QString::fromUtf16(u"はい(&Y)")); });
        });
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(question, QString::fromUtf16(u"終了してよろしいですか"));
    EXPECT_GT(later_still, after_no) << "No must leave the application running";
    EXPECT_EQ(test_app().freed, 1);
}

TEST(QtHostControl, CloseBoxEndsWithoutAskingAndTheTextWindowCannotBeClosed) {
    std::atomic<int> count{0};
    bool text_still_visible = false;
    bool box_asked = false;
    const int code = run_host([&] {
        count_for_ever(&count, [&] {
            later(100, [&] {
                qt_host().text_window->close();
                text_still_visible = qt_host().text_window->isVisible();
            });
            later(200, [&] {
                later(50, [&] { box_asked = open_box() != nullptr; });
                qt_host().main_window->close();
            });
        });
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(text_still_visible);
    EXPECT_FALSE(box_asked);
    EXPECT_EQ(test_app().freed, 1);
    EXPECT_GT(count.load(), 0);
}

TEST(QtHostControl, RequestExitStopsTheApplicationBeforeFreeingItsData) {
    std::atomic<bool> ran_after_free{false};
    const int code = run_host([&] {
        start_canvas();
        request_exit();
        // Whatever runs here runs before the host stops the thread at a host call.
        for (;;) {
            tick_count();
            if (test_app().freed.load() > 0) ran_after_free = true;
        }
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(test_app().freed, 1);
    EXPECT_FALSE(ran_after_free.load());
}

TEST(QtHostControl, AboutBoxIsAnExclamationBoxOverTheWholeProgram) {
    std::atomic<int> count{0};
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::WindowModality modality = Qt::NonModal;
    const int code = run_host([&] {
        count_for_ever(&count, [&] {
            later(100, [] { trigger(HostCommand::about); });
            later(250, [&] {
                if (QMessageBox* box = open_box()) {
                    caption = box->windowTitle();
                    icon = box->icon();
                    modality = box->windowModality();
                }
                click_box_button(QStringLiteral("OK"));
            });
            later(400, [] { qt_host().main_window->close(); });
        });
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(caption, QStringLiteral(" tarvolo Zel kon interface"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(modality, Qt::ApplicationModal);
}
