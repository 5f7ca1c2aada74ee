// The Linux dialog on the offscreen platform: its values, scroll rules, boxes and a conversion.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QRadioButton>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QPointingDevice>
#include <QWheelEvent>
#include <memory>

#include "convert/converter_texts.h"
#include "convert/dialog_ids.h"
#include "convert/platform_text.h"
#include "convert/qt/converter_dialog.h"
#include "convert_test_support.h"
#include "gif_decoding.h"

namespace {

QString ui(const char* cp932) { return QString::fromStdString(cp932_to_utf8(cp932)); }

class ConverterDialogQt : public testing::Test {
protected:
    static void SetUpTestSuite() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "convert_dialog_qt_test";
        static char* argv[] = {name, nullptr};
        static QApplication app(argc, argv);
    }

    QScrollBar* bar(int id) { return qobject_cast<QScrollBar*>(dialog.control(id)); }
    QString shown(int id) { return qobject_cast<QLabel*>(dialog.control(id))->text(); }
    void click(int id) { qobject_cast<QPushButton*>(dialog.control(id))->click(); }
    // Drags the thumb to `position` and leaves it held.
    void drag(QScrollBar* scroll_bar, int position) {
        scroll_bar->setSliderDown(true);
        scroll_bar->setSliderPosition(position);
    }

    // Closes the next message box with OK and keeps its caption and text.
    void answer_next_box() {
        QTimer::singleShot(0, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            boxes.emplace_back(box->windowTitle(), box->text());
            box->button(QMessageBox::Ok)->click();
        });
    }

    ConverterDialog dialog;
    std::vector<std::pair<QString, QString>> boxes;
};

TEST_F(ConverterDialogQt, StartsAt320By240WithTheControlsOfTheDialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("M2BMP"));
    EXPECT_EQ(shown(IDC_WIDTH_VALUE), QStringLiteral("320"));
    EXPECT_EQ(shown(IDC_HEIGHT_VALUE), QStringLiteral("240"));
    EXPECT_EQ(bar(IDC_WIDTH_BAR)->value(), 320);
    EXPECT_EQ(bar(IDC_HEIGHT_BAR)->maximum(), 240);
    EXPECT_EQ(qobject_cast<QPushButton*>(dialog.control(IDC_RUN))->text(), ui(LABEL_RUN));
    EXPECT_EQ(qobject_cast<QPushButton*>(dialog.control(IDC_CHOOSE_INPUT))->text(),
              ui(LABEL_CHOOSE_INPUT));
    EXPECT_EQ(qobject_cast<QPushButton*>(dialog.control(IDC_CHOOSE_OUTPUT))->text(),
              ui(LABEL_CHOOSE_OUTPUT));
}

TEST_F(ConverterDialogQt, StepsFollowTheScrollRules) {
    bar(IDC_WIDTH_BAR)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(shown(IDC_WIDTH_VALUE), QStringLiteral("288"));
    EXPECT_EQ(bar(IDC_WIDTH_BAR)->value(), 288);
    bar(IDC_WIDTH_BAR)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    bar(IDC_WIDTH_BAR)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(dialog.state().output_width, 320);

    bar(IDC_HEIGHT_BAR)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(shown(IDC_HEIGHT_VALUE), QStringLiteral("238"));
    bar(IDC_HEIGHT_BAR)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(shown(IDC_HEIGHT_VALUE), QStringLiteral("240"));
    bar(IDC_HEIGHT_BAR)->triggerAction(QAbstractSlider::SliderPageStepSub);
    bar(IDC_HEIGHT_BAR)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(shown(IDC_HEIGHT_VALUE), QStringLiteral("228"));
    EXPECT_EQ(bar(IDC_HEIGHT_BAR)->value(), 228);
}

TEST_F(ConverterDialogQt, ADraggedThumbShowsItsRawValueUntilReleased) {
    drag(bar(IDC_WIDTH_BAR), 100);
    EXPECT_EQ(shown(IDC_WIDTH_VALUE), QStringLiteral("100"));
    bar(IDC_WIDTH_BAR)->setSliderDown(false);
    EXPECT_EQ(shown(IDC_WIDTH_VALUE), QStringLiteral("96"));
    EXPECT_EQ(dialog.state().output_width, 96);

    drag(bar(IDC_HEIGHT_BAR), 131);
    EXPECT_EQ(shown(IDC_HEIGHT_VALUE), QStringLiteral("131"));
    bar(IDC_HEIGHT_BAR)->setSliderDown(false);
    EXPECT_EQ(shown(IDC_HEIGHT_VALUE), QStringLiteral("130"));
    EXPECT_EQ(bar(IDC_HEIGHT_BAR)->value(), 130);
}

// The wheel gives line steps (32 across, 2 down), never an unrounded size; half notches add up.
TEST_F(ConverterDialogQt, TheWheelStepsByLines) {
    // A device of the test's own: Qt's default one outlives the static application object.
    const QPointingDevice mouse(
        QStringLiteral("wheel"), 1, QInputDevice::DeviceType::Mouse,
        QPointingDevice::PointerType::Generic,
        QInputDevice::Capability::Position | QInputDevice::Capability::Scroll, 1, 3);
    auto wheel = [&mouse](QScrollBar* scroll_bar, QPoint angle) {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), angle, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false, Qt::MouseEventNotSynthesized,
                          &mouse);
        QApplication::sendEvent(scroll_bar, &event);
    };
    struct Case {
        int bar_id;
        QPoint angle;
        const char* width;
        const char* height;
    } cases[] = {
        {IDC_WIDTH_BAR, {0, 120}, "288", "240"},   // away from the user: smaller
        {IDC_WIDTH_BAR, {0, 240}, "224", "240"},   // two notches at once
        {IDC_WIDTH_BAR, {0, -120}, "256", "240"},  // toward the user: larger
        {IDC_WIDTH_BAR, {0, 60}, "256", "240"},    // half a notch waits ...
        {IDC_WIDTH_BAR, {0, 60}, "224", "240"},    // ... for the other half
        {IDC_HEIGHT_BAR, {0, 120}, "224", "238"},
        {IDC_HEIGHT_BAR, {0, -360}, "224", "240"},  // clamped at the top
        {IDC_HEIGHT_BAR, {120, 0}, "224", "238"},   // a tilt wheel across
    };
    for (const Case& c : cases) {
        wheel(bar(c.bar_id), c.angle);
        EXPECT_EQ(shown(IDC_WIDTH_VALUE), QString::fromLatin1(c.width));
        EXPECT_EQ(shown(IDC_HEIGHT_VALUE), QString::fromLatin1(c.height));
    }
    EXPECT_EQ(bar(IDC_WIDTH_BAR)->value(), 224);
    EXPECT_EQ(dialog.state().output_width, 224);
    EXPECT_EQ(bar(IDC_HEIGHT_BAR)->value(), 238);
}

// Each progress text is painted while the conversion runs, not only the last one.
TEST_F(ConverterDialogQt, EveryStatusTextIsPaintedAsItIsWritten) {
    struct PaintRecorder : QObject {
        QStringList painted;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint) painted << qobject_cast<QLabel*>(watched)->text();
            return false;
        }
    } recorder;
    dialog.show();
    QApplication::processEvents();
    dialog.control(IDC_STATUS)->installEventFilter(&recorder);
    ScratchFolder folder;
    write_bytes(folder.path() / "in.mpa", mpa_of_test_pictures(3));
    choose_files(&dialog.state(), folder.file("in.mpa"), folder.file("out"));
    click(IDC_RUN);
    for (const char* text : {"現在0コマ目を読み込み中     ", "現在2コマ目を読み込み中     ",
                             "0枚目変換成功", "1枚目変換成功", "2枚目変換成功"}) {
        EXPECT_TRUE(recorder.painted.contains(ui(text)))
            << recorder.painted.join('|').toStdString();
    }
    dialog.control(IDC_STATUS)->removeEventFilter(&recorder);
}

TEST_F(ConverterDialogQt, RunWithoutAnInputShowsTheBox) {
    answer_next_box();
    click(IDC_RUN);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, ui(CAPTION_CONVERTER));
    EXPECT_EQ(boxes[0].second, ui(MSG_NO_INPUT));
}

TEST_F(ConverterDialogQt, RunConvertsAndShowsTheLastFrameInTheStatusLine) {
    ScratchFolder folder;
    write_bytes(folder.path() / "in.mpa", mpa_of_test_pictures(5));
    choose_files(&dialog.state(), folder.file("in.mpa"), folder.file("out"));
    drag(bar(IDC_WIDTH_BAR), 170);
    bar(IDC_WIDTH_BAR)->setSliderDown(false);
    click(IDC_RUN);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(shown(IDC_STATUS), ui("4枚目変換成功"));
    EXPECT_EQ(std::filesystem::file_size(folder.path() / "out0004.BMP"), 62u + 160 * 240 / 8);
}

TEST_F(ConverterDialogQt, ADroppedFileIsTheInputOfTheConversion) {
    ScratchFolder folder;
    write_bytes(folder.path() / "dropped.mpa", mpa_of_test_pictures(3));
    dialog.load_input(folder.file("dropped.mpa").c_str());
    EXPECT_EQ(std::string(dialog.state().input_path), folder.file("dropped.mpa"));
    // Only the output is chosen in the dialog.
    ASSERT_EQ(set_converter_path(dialog.state().output_path, folder.file("out").c_str()), 0);
    ASSERT_EQ(set_converter_path(dialog.state().output_title, "out"), 0);
    click(IDC_RUN);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "out0002.BMP"));
}

TEST_F(ConverterDialogQt, AFailedFrameShowsThePrefixInTheStatusLine) {
    ScratchFolder folder;
    write_bytes(folder.path() / "in.mpa", mpa_of_test_pictures(1));
    const std::string prefix = (folder.path() / "missing" / "out").string();
    choose_files(&dialog.state(), folder.file("in.mpa"), prefix);
    click(IDC_RUN);
    EXPECT_EQ(shown(IDC_STATUS), QString::fromStdString(prefix) + ui(STATUS_OPEN_ERROR));
}

TEST_F(ConverterDialogQt, TheGifChoiceWritesOneEnlargedGifThatPlaysOnce) {
    EXPECT_FALSE(dialog.control(IDC_GIF_SCALE)->isEnabled());
    qobject_cast<QRadioButton*>(dialog.control(IDC_OUTPUT_GIF))->click();
    EXPECT_TRUE(dialog.control(IDC_GIF_SCALE)->isEnabled());
    qobject_cast<QComboBox*>(dialog.control(IDC_GIF_SCALE))->setCurrentIndex(2);
    EXPECT_EQ(qobject_cast<QComboBox*>(dialog.control(IDC_GIF_SCALE))->currentText(), ui("3倍"));
    qobject_cast<QCheckBox*>(dialog.control(IDC_GIF_LOOP))->click();
    ScratchFolder folder;
    write_bytes(folder.path() / "in.mpa", mpa_of_test_pictures(3));
    choose_files(&dialog.state(), folder.file("in.mpa"), folder.file("walk.gif"));
    click(IDC_RUN);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(shown(IDC_STATUS), ui("3コマのGIFアニメ変換成功"));
    const DecodedGif gif = decode_with_giflib(read_file(folder.path() / "walk.gif"));
    EXPECT_EQ(gif.error, "");
    EXPECT_EQ(gif.width, 960);
    EXPECT_FALSE(gif.loops_forever);
    EXPECT_EQ(gif.pictures.size(), 3u);
}

TEST_F(ConverterDialogQt, TheSaveDialogProposesGifOnlyForAGif) {
    for (bool gif : {false, true}) {
        qobject_cast<QRadioButton*>(dialog.control(gif ? IDC_OUTPUT_GIF : IDC_OUTPUT_BMP))->click();
        QString suffix = QStringLiteral("unseen");
        QStringList filters;
        QTimer::singleShot(0, [&] {
            auto* save = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (save == nullptr) return;
            suffix = save->defaultSuffix();
            filters = save->nameFilters();
            save->reject();
        });
        click(IDC_CHOOSE_OUTPUT);
        EXPECT_EQ(suffix, gif ? QStringLiteral("gif") : QString()) << gif;
        EXPECT_EQ(filters.join('|').contains(QStringLiteral("*.gif")), gif) << gif;
    }
}

}  // namespace
