// Message boxes, the value and string dialogs and the file dialogs, opened from the application
// thread and answered on the GUI thread.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

#include "host/host.h"
#include "host/qt/qt_string_dialog.h"
#include "host/qt/qt_value_dialog.h"
#include "qt_test_app.h"

namespace {

QString utf16(const char16_t* text) { return QString::fromUtf16(text); }

}  // namespace

TEST(QtHostDialogs, MessageBoxesHaveJapaneseButtonsTheFirstAsDefaultAndAnswerAsClicked) {
    struct Case {
        MessageButtons buttons;
        MessageIcon icon;
        const char16_t* click;  // label to click; nullptr presses Escape
        MessageAnswer answer;
        QStringList labels;
        QMessageBox::Icon shown_icon;
    };
    const Case cases[] = {
        {MessageButtons::ok,
         MessageIcon::error,
         u"OK",
         MessageAnswer::ok,
         {"OK"},
         QMessageBox::Critical},
        {MessageButtons::ok,
         MessageIcon::information,
         nullptr,
         MessageAnswer::ok,
         {"OK"},
         QMessageBox::Information},
        {MessageButtons::yes_no,
         MessageIcon::none,
         u"はい(&Y)",
         MessageAnswer::yes,
         {utf16(u"はい(&Y)"), utf16(u"いいえ(&N)")},
         QMessageBox::NoIcon},
        {MessageButtons::yes_no,
         MessageIcon::exclamation,
         u"いいえ(&N)",
         MessageAnswer::no,
         {utf16(u"はい(&Y)"), utf16(u"いいえ(&N)")},
         QMessageBox::Warning},
        {MessageButtons::yes_no,
         MessageIcon::none,
         nullptr,
         MessageAnswer::no,
         {utf16(u"はい(&Y)"), utf16(u"いいえ(&N)")},
         QMessageBox::NoIcon},
        {MessageButtons::retry_cancel,
         MessageIcon::error,
         u"再試行(&R)",
         MessageAnswer::retry,
         {utf16(u"再試行(&R)"), utf16(u"キャンセル")},
         QMessageBox::Critical},
        {MessageButtons::retry_cancel,
         MessageIcon::error,
         nullptr,
         MessageAnswer::cancel,
         {utf16(u"再試行(&R)"), utf16(u"キャンセル")},
         QMessageBox::Critical},
    };
    struct Seen {
        MessageAnswer answer = MessageAnswer::cancel;
        QString text, title, default_label;
        QStringList labels;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };
    std::vector<Seen> seen(std::size(cases));
    const int code = run_host([&] {
        start_canvas();
        for (size_t i = 0; i < std::size(cases); ++i) {
            const Case& c = cases[i];
            Seen& s = seen[i];
            when_open<QMessageBox>([&](QMessageBox* box) {
                s.text = box->text();
                s.title = box->windowTitle();
                s.icon = box->icon();
                if (box->defaultButton() != nullptr) s.default_label = box->defaultButton()->text();
                for (QAbstractButton* button : box->buttons()) s.labels << button->text();
                if (c.click == nullptr) {
                    QTest::keyClick(box, Qt::Key_Escape);
                    return;
                }
                for (QAbstractButton* button : box->buttons())
                    if (button->text() == utf16(c.click)) button->click();
            });
            s.answer =
                message_box("書き込み中にエラーが発生しました", "大変だ！", c.buttons, c.icon);
        }
    });
    EXPECT_EQ(code, 0);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const Case& c = cases[i];
        EXPECT_EQ(seen[i].answer, c.answer);
        EXPECT_EQ(seen[i].text, utf16(u"書き込み中にエラーが発生しました"));
        EXPECT_EQ(seen[i].title, utf16(u"大変だ！"));
        EXPECT_EQ(seen[i].icon, c.shown_icon);
        QStringList labels = seen[i].labels;
        QStringList wanted = c.labels;
        labels.sort();
        wanted.sort();
        EXPECT_EQ(labels, wanted);
        EXPECT_EQ(seen[i].default_label, c.labels.front());
    }
}

TEST(QtHostDialogs, ValueDialogScrollsWithinItsRangeAndReportsTheLastValue) {
    struct Case {
        int maximum, minimum, start;
        std::vector<QAbstractSlider::SliderAction> actions;
        bool ok;
        int result, value;
        QString first_display, last_display;
    };
    using A = QAbstractSlider;
    const std::vector<Case> cases = {
        // Page step 8 / 10 = 0, raised to 1; the right arrow stops at the maximum.
        {8,
         0,
         3,
         {A::SliderPageStepAdd, A::SliderSingleStepAdd, A::SliderSingleStepAdd,
          A::SliderSingleStepAdd, A::SliderSingleStepAdd, A::SliderSingleStepAdd,
          A::SliderSingleStepAdd},
         true,
         0,
         8,
         "3",
         "8"},
        // Page step 10 over 0 ... 100.
        {100, 0, 50, {A::SliderPageStepAdd, A::SliderPageStepAdd}, true, 0, 70, "50", "70"},
        // Paging left from minimum + 1 with a page step of 5 stops at the minimum.
        {51, 1, 2, {A::SliderPageStepSub}, true, 0, 1, "2", "1"},
        // Cancel still hands back the last value.
        {10,
         0,
         0,
         {A::SliderSingleStepAdd, A::SliderSingleStepAdd, A::SliderSingleStepAdd,
          A::SliderSingleStepAdd, A::SliderSingleStepAdd},
         false,
         -1,
         5,
         "0",
         "5"},
        // The ends of the bar leave the value alone.
        {10, 0, 4, {A::SliderToMaximum}, true, 0, 4, "4", "4"},
    };
    struct Seen {
        int result = 99, value = -99;
        QString title, first_display, last_display, ok_label, cancel_label;
        int bar_position = -1;
    };
    std::vector<Seen> seen(cases.size());
    const int code = run_host([&] {
        start_canvas();
        for (size_t i = 0; i < cases.size(); ++i) {
            const Case& c = cases[i];
            Seen& s = seen[i];
            when_open<ValueDialog>([&](ValueDialog* dialog) {
                s.title = dialog->windowTitle();
                s.first_display = dialog->display()->text();
                s.ok_label = dialog->ok_button()->text();
                s.cancel_label = dialog->cancel_button()->text();
                for (auto action : c.actions) dialog->scroll_bar()->triggerAction(action);
                s.last_display = dialog->display()->text();
                s.bar_position = dialog->scroll_bar()->sliderPosition();
                (c.ok ? dialog->ok_button() : dialog->cancel_button())->click();
            });
            s.value = c.start;
            s.result = input_value(c.maximum, c.minimum, &s.value);
        }
    });
    EXPECT_EQ(code, 0);
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i].title, QStringLiteral("tarvolo Zelkon interface -GetValue-"));
        EXPECT_EQ(seen[i].ok_label, QStringLiteral("OK"));
        EXPECT_EQ(seen[i].cancel_label, utf16(u"ｷｬﾝｾﾙ"));
        EXPECT_EQ(seen[i].first_display, cases[i].first_display);
        EXPECT_EQ(seen[i].last_display, cases[i].last_display);
        EXPECT_EQ(seen[i].bar_position, cases[i].value);
        EXPECT_EQ(seen[i].result, cases[i].result);
        EXPECT_EQ(seen[i].value, cases[i].value);
    }
}

TEST(QtHostDialogs, StringDialogCopiesWithinCapacityOrLeavesTheBufferOnCancel) {
    char ok_buffer[8] = "abc";
    char cancel_buffer[8] = "keep";
    int ok_result = 99, cancel_result = 99, null_result = 99;
    QString start_text, title;
    const int code = run_host([&] {
        start_canvas();
        when_open<StringDialog>([&](StringDialog* dialog) {
            start_text = dialog->text();
            title = dialog->windowTitle();
            // Three double-byte characters and two letters do not fit 7 bytes whole.
            dialog->edit()->setText(utf16(u"xyめぷめ"));
            dialog->ok_button()->click();
        });
        ok_result = input_string(ok_buffer, sizeof ok_buffer);
        when_open<StringDialog>([](StringDialog* dialog) {
            dialog->edit()->setText(QStringLiteral("changed"));
            dialog->cancel_button()->click();
        });
        cancel_result = input_string(cancel_buffer, sizeof cancel_buffer);
        null_result = input_string(nullptr, 10);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(start_text, QStringLiteral("abc"));
    EXPECT_EQ(title, QStringLiteral("Zelkon interface easy-keybord"));
    EXPECT_EQ(ok_result, 0);
    EXPECT_STREQ(ok_buffer, "xyめぷ");
    EXPECT_EQ(cancel_result, -1);
    EXPECT_STREQ(cancel_buffer, "keep");
    EXPECT_EQ(null_result, -1);
}

TEST(QtHostDialogs, FitSjisNeverSplitsADoubleByteCharacter) {
    struct Case {
        const char* text;
        int capacity;
        const char* kept;
    };
    const Case cases[] = {
        {"abc", 10, "abc"},  {"abc", 3, "ab"},  {"abc", 1, ""},  {"abc", 0, ""},
        {"めぷ", 5, "めぷ"}, {"めぷ", 4, "め"}, {"aめ", 3, "a"}, {"ｷｬﾝｾﾙ", 4, "ｷｬﾝ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SCOPED_TRACE(c.capacity);
        EXPECT_EQ(fit_sjis(QByteArray(c.text), c.capacity), QByteArray(c.kept));
    }
}

TEST(QtHostDialogs, FileDialogsReturnTheChosenPathAndAppendTheDefaultExtension) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    {
        QFile existing(folder.filePath(QStringLiteral("here.mpa")));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    }
    char save_name[FILE_NAME_CAPACITY] = "anime.mpa";
    char save_path[FILE_NAME_CAPACITY] = "anime.mpa";
    char open_name[FILE_NAME_CAPACITY] = "anime.mpa";
    char open_path[FILE_NAME_CAPACITY] = "anime.mpa";
    int saved = -1, opened = -1, missing = -1;
    QString save_title, open_title, initial_file;
    QStringList filters;
    bool missing_refused = false;
    const auto type_name = [](QFileDialog* dialog, const QString& name) {
        if (QLineEdit* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->setText(name);
    };
    // As pressing the dialog's accept button: the typed name is checked first. Queued, so that a
    // warning it opens does not run inside this step.
    const auto accept_later = [](QFileDialog* dialog) {
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    };
    const int code = run_host([&] {
        start_canvas();
        when_open<QFileDialog>([&](QFileDialog* dialog) {
            save_title = dialog->windowTitle();
            filters = dialog->nameFilters();
            if (!dialog->selectedFiles().isEmpty())
                initial_file = QFileInfo(dialog->selectedFiles().front()).fileName();
            type_name(dialog, QStringLiteral("sample"));
            accept_later(dialog);
        });
        saved =
            choose_save_file(save_name, save_path, "ファイルの保存", "*.mpa", "めぷアニメファイル");
        when_open<QFileDialog>([&](QFileDialog* dialog) {
            open_title = dialog->windowTitle();
            type_name(dialog, QStringLiteral("missing.mpa"));
            accept_later(dialog);
            // A file that does not exist is refused with a warning, and the dialog stays open.
            when_open<QMessageBox>([&](QMessageBox* warning) {
                missing_refused = true;
                warning->buttons().front()->click();
                when_open<QFileDialog>([](QFileDialog* still_open) { still_open->reject(); });
            });
        });
        missing = choose_open_file(open_name, open_path, "ファイルの読み込み", "*.mpa",
                                   "めぷアニメファイル");
        when_open<QFileDialog>([&](QFileDialog* dialog) {
            type_name(dialog, QStringLiteral("here.mpa"));
            accept_later(dialog);
        });
        opened = choose_open_file(open_name, open_path, "ファイルの読み込み", "*.mpa",
                                  "めぷアニメファイル");
    });
    QDir::setCurrent(previous);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(save_title, utf16(u"ファイルの保存"));
    EXPECT_EQ(open_title, utf16(u"ファイルの読み込み"));
    EXPECT_EQ(filters, QStringList{utf16(u"めぷアニメファイル (*.mpa)")});
    EXPECT_EQ(initial_file, QStringLiteral("anime.mpa"));
    EXPECT_NE(saved, 0);
    EXPECT_EQ(QString::fromLocal8Bit(save_path), folder.filePath(QStringLiteral("sample.mpa")));
    EXPECT_STREQ(save_name, "sample.mpa");
    EXPECT_TRUE(missing_refused);
    EXPECT_EQ(missing, 0);
    EXPECT_NE(opened, 0);
    EXPECT_EQ(QString::fromLocal8Bit(open_path), folder.filePath(QStringLiteral("here.mpa")));
    EXPECT_STREQ(open_name, "here.mpa");
}

// The first start asks where the editor program is: the dialog's filter names the Linux program,
// and it starts in the running program's folder with that program chosen, so Enter is enough.
TEST(QtHostDialogs, ProgramFileDialogStartsOnTheRunningProgram) {
    char name[FILE_NAME_CAPACITY] = "";
    char path[FILE_NAME_CAPACITY] = "";
    int chosen = -1;
    QString pattern, program, folder, selected;
    QStringList filters;
    const int code = run_host([&] {
        start_canvas();
        pattern = QString::fromLatin1(prepare_program_file_dialog(name, path));
        program = gui([] { return QCoreApplication::applicationFilePath(); });
        when_open<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            folder = dialog->directory().absolutePath();
            selected = dialog->selectedFiles().value(0);
            QLineEdit* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QTest::keyClick(edit != nullptr ? static_cast<QWidget*>(edit) : dialog, Qt::Key_Return);
        });
        chosen = choose_open_file(name, path, "mepu.exeがインストールされた場所を指定してください",
                                  pattern.toLatin1().constData(), "mepu.exeの指定");
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(pattern, QStringLiteral("mepu"));
    EXPECT_EQ(filters, QStringList{utf16(u"mepu.exeの指定 (mepu)")});
    ASSERT_FALSE(program.isEmpty());
    EXPECT_EQ(folder, QFileInfo(program).absolutePath());
    EXPECT_EQ(selected, program);
    EXPECT_NE(chosen, 0);
    EXPECT_EQ(QString::fromLocal8Bit(path), program);
    EXPECT_EQ(QString::fromLocal8Bit(name), QFileInfo(program).fileName());
}
