#include "host/qt/qt_value_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "host/common/app_gate.h"
#include "host/common/pointer_state.h"
#include "host/host.h"
#include "host/qt/qt_dialog_units.h"
#include "host/qt/qt_gui_call.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "qt_text/shift_jis_text.h"

namespace {

constexpr const char* VALUE_DIALOG_TITLE = "tarvolo Zelkon interface -GetValue-";
constexpr const char* CANCEL_LABEL = "ｷｬﾝｾﾙ";
constexpr int VALUE_DIALOG_POINT_SIZE = 14;

// The scroll bar's actions as the notification codes the state machine knows.
int scroll_code(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub: return SCROLL_LINE_LEFT;
        case QAbstractSlider::SliderSingleStepAdd: return SCROLL_LINE_RIGHT;
        case QAbstractSlider::SliderPageStepSub: return SCROLL_PAGE_LEFT;
        case QAbstractSlider::SliderPageStepAdd: return SCROLL_PAGE_RIGHT;
        case QAbstractSlider::SliderMove: return SCROLL_THUMB_TRACK;
        case QAbstractSlider::SliderToMinimum: return SCROLL_LEFT_END;
        case QAbstractSlider::SliderToMaximum: return SCROLL_RIGHT_END;
        default: return SCROLL_END;
    }
}

}  // namespace

ValueDialog::ValueDialog(QWidget* owner, int maximum, int minimum, int value)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      state_(open_value_dialog(maximum, minimum, value)),
      scroll_bar_(new QScrollBar(Qt::Horizontal, this)),
      display_(new QLabel(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(sjis_to_qstring(CANCEL_LABEL), this)) {
    setWindowTitle(sjis_to_qstring(VALUE_DIALOG_TITLE));
    setFont(dialog_font(VALUE_DIALOG_POINT_SIZE));
    const DialogUnits units = dialog_units(font());
    setFixedSize(units.rect(0, 0, 209, 47).size());
    place_in_dialog_units(ok_, units, 102, 31, 46, 11);
    place_in_dialog_units(cancel_, units, 151, 32, 50, 10);
    place_in_dialog_units(scroll_bar_, units, 7, 14, 194, 11);
    place_in_dialog_units(display_, units, 25, 31, 63, 11);
    display_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    display_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    // The page step is not the scroll bar's page size: the thumb keeps its smallest size.
    scroll_bar_->setRange(state_.minimum, state_.maximum);
    scroll_bar_->setSingleStep(1);
    scroll_bar_->setPageStep(0);
    scroll_bar_->setValue(state_.value);
    connect(scroll_bar_, &QAbstractSlider::actionTriggered, this, &ValueDialog::on_action);
    connect(scroll_bar_, &QAbstractSlider::sliderReleased, this, [this] {
        scroll_value_dialog(&state_, SCROLL_THUMB_POSITION,
                            static_cast<uint32_t>(scroll_bar_->sliderPosition()));
        show_value();
    });
    show_value();
}

void ValueDialog::on_action(int action) {
    scroll_value_dialog(&state_, scroll_code(action),
                        static_cast<uint32_t>(scroll_bar_->sliderPosition()));
    // Overrides the step the scroll bar was about to take with the state machine's result.
    scroll_bar_->setSliderPosition(state_.value);
    show_value();
}

void ValueDialog::show_value() {
    char digits[16];
    format_dialog_value(state_, digits, sizeof digits);
    display_->setText(QString::fromLatin1(digits));
}

int input_value(int maximum, int minimum, int* value) {
    app_gate_pass();
    const ClicksOfDialogForgotten clicks_of_dialog;
    struct Outcome {
        int result = -1;
        int value = 0;
    };
    const int start = *value;
    const Outcome outcome = run_on_gui([&] {
        if (app_gate_ending()) return Outcome{-1, start};
        ValueDialog dialog(qt_host().main_window, maximum, minimum, start);
        dialog.setWindowModality(Qt::WindowModal);
        const int result = dialog.exec() == QDialog::Accepted ? 0 : -1;
        return Outcome{result, dialog.value()};
    });
    *value = outcome.value;
    return outcome.result;
}
