// The error guard on the Qt host: real boxes and the save dialog while the windows stay up.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <stdexcept>

#include "host/host.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "qt_test_app.h"

TEST(QtHostGuard, AFaultShowsTheBoxesOffersTheSaveAndKeepsTheWindowsUp) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    QStringList texts;
    bool window_up_during_boxes = true;
    test_app().save = [] {};
    const int code = run_host([&] {
        start_canvas();
        log_command(12);
        log_command(7);
        // Answers every box the guard shows; ends the program once the save has been offered.
        later(0, [&] {
            auto* timer = new QTimer(qt_host().main_window);
            QObject::connect(timer, &QTimer::timeout, [&, timer] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    texts << box->text();
                    window_up_during_boxes =
                        window_up_during_boxes && qt_host().main_window->isVisible();
                    box->buttons().front()->click();
                } else if (test_app().saves.load() > 0) {
                    timer->stop();
                    qt_host().main_window->close();
                }
            });
            timer->start(30);
        });
        throw std::runtime_error("broken");
    });
    QFile report(folder.filePath(QStringLiteral("mepu.erf")));
    const bool report_open = report.open(QIODevice::ReadOnly);
    const QByteArray written = report.readAll();
    QDir::setCurrent(previous);
    test_app().save = nullptr;

    EXPECT_EQ(code, 0);
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0], QString::fromUtf16(u"めぷ実行中にエラーが発生しました。"));
    EXPECT_TRUE(texts[1].contains(QStringLiteral("mepu.erf")));
    EXPECT_TRUE(
        texts[2].startsWith(QString::fromUtf16(u"現在編集中のアニメデータを書き込みます。")));
    EXPECT_TRUE(window_up_during_boxes);
    EXPECT_EQ(test_app().saves, 1);
    EXPECT_EQ(test_app().freed, 1);
    ASSERT_TRUE(report_open);
    EXPECT_TRUE(written.startsWith("total = "));
    EXPECT_TRUE(written.endsWith("12      7      "));
}
