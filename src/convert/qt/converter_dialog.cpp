#include "convert/qt/converter_dialog.h"

#include <QAbstractSlider>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <cstdio>

#include "convert/convert_animation.h"
#include "convert/converter_texts.h"
#include "convert/dialog_ids.h"
#include "convert/platform_text.h"

namespace {

QString ui_text(const char* cp932) { return QString::fromStdString(cp932_to_utf8(cp932)); }

// Dialog units to pixels, from the font's average character size as Windows measures it.
struct DialogUnits {
    double x;
    double y;
    QRect rect(int left, int top, int width, int height) const {
        return QRect(qRound(left * x), qRound(top * y), qRound(width * x), qRound(height * y));
    }
};

DialogUnits dialog_units(const QFont& font) {
    const QFontMetricsF metrics(font);
    const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {metrics.horizontalAdvance(sample) / sample.size() / 4.0, metrics.height() / 8.0};
}

QLabel* sunken_label(QWidget* parent, const QRect& rect, Qt::Alignment alignment) {
    auto* label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setGeometry(rect);
    return label;
}

ScrollAction scroll_action_of(int qt_action) {
    switch (qt_action) {
        case QAbstractSlider::SliderSingleStepSub: return ScrollAction::line_back;
        case QAbstractSlider::SliderSingleStepAdd: return ScrollAction::line_forward;
        case QAbstractSlider::SliderPageStepSub: return ScrollAction::page_back;
        case QAbstractSlider::SliderPageStepAdd: return ScrollAction::page_forward;
        case QAbstractSlider::SliderMove: return ScrollAction::thumb_track;
        default: return ScrollAction::other;
    }
}

}  // namespace

ConverterDialog::ConverterDialog(QWidget* parent)
    : QDialog(parent), state_(std::make_unique<ConverterState>()) {
    front_.context = this;
    front_.show_error = show_error;
    front_.show_status = show_status;

    setWindowTitle(ui_text(TEXT_CONVERTER_TITLE));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSize(12);
    setFont(font);
    const DialogUnits du = dialog_units(font);
    setFixedSize(du.rect(0, 0, 291, 235).size());

    auto* choose_input_button = new QPushButton(ui_text(LABEL_CHOOSE_INPUT), this);
    choose_input_button->setObjectName(QString::number(IDC_CHOOSE_INPUT));
    choose_input_button->setGeometry(du.rect(25, 26, 105, 14));
    auto* choose_output_button = new QPushButton(ui_text(LABEL_CHOOSE_OUTPUT), this);
    choose_output_button->setObjectName(QString::number(IDC_CHOOSE_OUTPUT));
    choose_output_button->setGeometry(du.rect(147, 25, 115, 14));
    (new QLabel(ui_text(LABEL_WIDTH), this))->setGeometry(du.rect(211, 47, 54, 8));

    width_bar_ = new QScrollBar(Qt::Horizontal, this);
    width_bar_->setObjectName(QString::number(IDC_WIDTH_BAR));
    width_bar_->setGeometry(du.rect(35, 62, 177, 11));
    width_value_ = sunken_label(this, du.rect(219, 62, 24, 12), Qt::AlignHCenter);
    width_value_->setObjectName(QString::number(IDC_WIDTH_VALUE));
    height_bar_ = new QScrollBar(Qt::Vertical, this);
    height_bar_->setObjectName(QString::number(IDC_HEIGHT_BAR));
    height_bar_->setGeometry(du.rect(23, 73, 10, 125));
    sunken_label(this, du.rect(48, 91, 161, 96), Qt::AlignLeft);
    // The choice of output lives inside that frame, so the other controls stay where they are.
    auto* bmp_choice = new QRadioButton(ui_text(LABEL_OUTPUT_BMP), this);
    bmp_choice->setObjectName(QString::number(IDC_OUTPUT_BMP));
    bmp_choice->setGeometry(du.rect(55, 97, 150, 11));
    bmp_choice->setChecked(true);
    gif_choice_ = new QRadioButton(ui_text(LABEL_OUTPUT_GIF), this);
    gif_choice_->setObjectName(QString::number(IDC_OUTPUT_GIF));
    gif_choice_->setGeometry(du.rect(55, 113, 150, 11));
    auto* choices = new QButtonGroup(this);
    choices->addButton(bmp_choice);
    choices->addButton(gif_choice_);
    gif_scale_label_ = new QLabel(ui_text(LABEL_GIF_SCALE), this);
    gif_scale_label_->setObjectName(QString::number(IDC_GIF_SCALE_LABEL));
    gif_scale_label_->setGeometry(du.rect(67, 133, 50, 8));
    gif_scale_ = new QComboBox(this);
    gif_scale_->setObjectName(QString::number(IDC_GIF_SCALE));
    gif_scale_->setGeometry(du.rect(120, 130, 40, 14));
    for (int scale = MIN_GIF_SCALE; scale <= MAX_GIF_SCALE; ++scale) {
        char text[16];
        std::snprintf(text, sizeof text, LABEL_GIF_SCALE_CHOICE, scale);
        gif_scale_->addItem(ui_text(text));
    }
    gif_loop_ = new QCheckBox(ui_text(LABEL_GIF_LOOP), this);
    gif_loop_->setObjectName(QString::number(IDC_GIF_LOOP));
    gif_loop_->setGeometry(du.rect(67, 152, 120, 11));
    gif_loop_->setChecked(true);
    height_value_ = sunken_label(this, du.rect(18, 201, 25, 11), Qt::AlignLeft);
    height_value_->setObjectName(QString::number(IDC_HEIGHT_VALUE));
    (new QLabel(ui_text(LABEL_HEIGHT), this))->setGeometry(du.rect(13, 214, 71, 8));
    status_ = sunken_label(this, du.rect(63, 207, 151, 12), Qt::AlignLeft);
    status_->setObjectName(QString::number(IDC_STATUS));
    auto* run_button = new QPushButton(ui_text(LABEL_RUN), this);
    run_button->setObjectName(QString::number(IDC_RUN));
    run_button->setGeometry(du.rect(226, 193, 50, 14));

    for (QScrollBar* bar : {width_bar_, height_bar_}) {
        bar->setPageStep(SCROLL_PAGE_SIZE);
        bar->installEventFilter(this);
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [this, bar](int action) { scroll(bar, action); });
        connect(bar, &QAbstractSlider::sliderReleased, this, [this, bar] { thumb_released(bar); });
    }
    width_bar_->setRange(1, MAX_OUTPUT_WIDTH);
    height_bar_->setRange(1, MAX_OUTPUT_HEIGHT);
    connect(choose_input_button, &QPushButton::clicked, this, &ConverterDialog::choose_input);
    connect(choose_output_button, &QPushButton::clicked, this, &ConverterDialog::choose_output);
    connect(run_button, &QPushButton::clicked, this, &ConverterDialog::run_conversion);
    connect(gif_choice_, &QRadioButton::toggled, this, &ConverterDialog::take_output_choices);
    connect(gif_scale_, &QComboBox::currentIndexChanged, this,
            &ConverterDialog::take_output_choices);
    connect(gif_loop_, &QCheckBox::toggled, this, &ConverterDialog::take_output_choices);
    take_output_choices();
    clamp_and_show_size();
}

ConverterDialog::~ConverterDialog() { release_source_frames(state_.get()); }

QWidget* ConverterDialog::control(int id) const { return findChild<QWidget*>(QString::number(id)); }

void ConverterDialog::choose_input() {
    const QString filter = ui_text(FILTER_NAME_ANIMATION) + QStringLiteral(" (") +
                           ui_text(FILTER_PATTERN_ANIMATION) + QStringLiteral(")");
    const QString chosen = QFileDialog::getOpenFileName(
        this, ui_text(TITLE_OPEN_DIALOG), QFile::decodeName(state_->input_path), filter);
    if (!chosen.isEmpty()) load_input(QFile::encodeName(chosen).constData());
}

void ConverterDialog::load_input(const char* path) {
    // A name too long for the buffer leaves the input as it was.
    set_converter_path(state_->input_path, path);
}

void ConverterDialog::take_output_choices() {
    const bool gif = gif_choice_->isChecked();
    state_->output_kind = gif ? OutputKind::gif_animation : OutputKind::bmp_files;
    state_->gif.scale = MIN_GIF_SCALE + gif_scale_->currentIndex();
    state_->gif.loop_forever = gif_loop_->isChecked();
    for (QWidget* widget : {static_cast<QWidget*>(gif_scale_label_),
                            static_cast<QWidget*>(gif_scale_), static_cast<QWidget*>(gif_loop_)})
        widget->setEnabled(gif);
}

void ConverterDialog::choose_output() {
    QFileDialog save(this, ui_text(TITLE_SAVE_DIALOG), QFile::decodeName(state_->output_path));
    save.setAcceptMode(QFileDialog::AcceptSave);
    if (state_->output_kind == OutputKind::gif_animation) {
        save.setNameFilter(ui_text(FILTER_NAME_GIF) + QStringLiteral(" (") +
                           ui_text(FILTER_PATTERN_GIF) + QStringLiteral(")"));
        save.setDefaultSuffix(ui_text(DEFAULT_EXTENSION_GIF));
    }
    if (save.exec() != QDialog::Accepted || save.selectedFiles().isEmpty()) return;
    const QString chosen = save.selectedFiles().constFirst();
    if (chosen.isEmpty()) return;
    if (set_converter_path(state_->output_path, QFile::encodeName(chosen)) != 0 ||
        set_converter_path(state_->output_title, QFile::encodeName(QFileInfo(chosen).fileName())) !=
            0)
        state_->output_title[0] = '\0';
}

void ConverterDialog::run_conversion() {
    convert_animation(state_.get(), front_);
    clamp_and_show_size();
}

bool ConverterDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || (watched != width_bar_ && watched != height_bar_))
        return QDialog::eventFilter(watched, event);
    // Qt would move the thumb by several units as a drag; here each notch is one line step:
    // away from the user is back (smaller), toward the user forward.
    const QPoint angle = static_cast<QWheelEvent*>(event)->angleDelta();
    wheel_remainder_ += angle.y() != 0 ? angle.y() : angle.x();
    auto* bar = static_cast<QScrollBar*>(watched);
    constexpr int NOTCH = 120;
    for (; wheel_remainder_ >= NOTCH; wheel_remainder_ -= NOTCH)
        scroll(bar, QAbstractSlider::SliderSingleStepSub);
    for (; wheel_remainder_ <= -NOTCH; wheel_remainder_ += NOTCH)
        scroll(bar, QAbstractSlider::SliderSingleStepAdd);
    event->accept();
    return true;
}

void ConverterDialog::scroll(QScrollBar* bar, int qt_action) {
    const ScrollAction action = scroll_action_of(qt_action);
    const int32_t current = bar == width_bar_ ? state_->output_width : state_->output_height;
    const int32_t thumb = bar->sliderPosition();
    apply_scroll(bar, bar == width_bar_ ? scroll_output_width(current, action, thumb)
                                        : scroll_output_height(current, action, thumb));
}

void ConverterDialog::thumb_released(QScrollBar* bar) {
    const int32_t thumb = bar->sliderPosition();
    apply_scroll(
        bar,
        bar == width_bar_
            ? scroll_output_width(state_->output_width, ScrollAction::thumb_position, thumb)
            : scroll_output_height(state_->output_height, ScrollAction::thumb_position, thumb));
}

void ConverterDialog::apply_scroll(QScrollBar* bar, ScrollResult result) {
    (bar == width_bar_ ? state_->output_width : state_->output_height) = result.value;
    if (!result.clamp) {
        (bar == width_bar_ ? width_value_ : height_value_)->setNum(result.value);
        return;
    }
    clamp_and_show_size();
    // Within actionTriggered the slider takes its position from here, not from Qt's own step.
    bar->setSliderPosition(bar == width_bar_ ? state_->output_width : state_->output_height);
}

void ConverterDialog::clamp_and_show_size() {
    clamp_output_size(&state_->output_width, &state_->output_height);
    width_bar_->setValue(state_->output_width);
    height_bar_->setValue(state_->output_height);
    width_value_->setNum(state_->output_width);
    height_value_->setNum(state_->output_height);
}

void ConverterDialog::show_error(void* context, const char* text, const char* caption) {
    auto* dialog = static_cast<ConverterDialog*>(context);
    QMessageBox box(QMessageBox::Critical, ui_text(caption), ui_text(text), QMessageBox::Ok,
                    dialog);
    box.exec();
}

void ConverterDialog::show_status(void* context, const StatusLine& line) {
    auto* dialog = static_cast<ConverterDialog*>(context);
    QString text = ui_text(line.text);
    if (line.path != nullptr) text.prepend(QFile::decodeName(line.path));
    dialog->status_->setText(text);
    // The conversion holds the event loop: paint now, or only the last text would ever be seen.
    dialog->status_->repaint();
}
