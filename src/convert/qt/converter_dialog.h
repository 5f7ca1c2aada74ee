// The converter's dialog on Linux: the same controls, texts and rules as DLG_MAIN, on the core.
#pragma once

#include <QDialog>
#include <memory>

#include "convert/converter_front.h"
#include "convert/converter_state.h"
#include "convert/output_size.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QPushButton;
class QScrollBar;

class ConverterDialog : public QDialog {
public:
    explicit ConverterDialog(QWidget* parent = nullptr);
    ~ConverterDialog() override;

    ConverterState& state() { return *state_; }
    // The control with the given DLG_MAIN id (1000 ... 1011), or nullptr.
    QWidget* control(int id) const;
    // Takes `path` as the input, as choosing it with the load button does.
    void load_input(const char* path);

protected:
    // A wheel over either scroll bar moves it by line steps, as it does on Windows.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose_input();
    void choose_output();
    void run_conversion();
    void scroll(QScrollBar* bar, int qt_action);
    void thumb_released(QScrollBar* bar);
    void apply_scroll(QScrollBar* bar, ScrollResult result);
    void clamp_and_show_size();
    // Takes the output choices into the state; the GIF's own choices only count for a GIF.
    void take_output_choices();

    static void show_error(void* context, const char* text, const char* caption);
    static void show_status(void* context, const StatusLine& line);

    std::unique_ptr<ConverterState> state_;
    ConverterFront front_;
    QScrollBar* width_bar_ = nullptr;
    QScrollBar* height_bar_ = nullptr;
    QLabel* width_value_ = nullptr;
    QLabel* height_value_ = nullptr;
    QLabel* status_ = nullptr;
    QRadioButton* gif_choice_ = nullptr;
    QLabel* gif_scale_label_ = nullptr;
    QComboBox* gif_scale_ = nullptr;
    QCheckBox* gif_loop_ = nullptr;
    // Wheel movement not yet worth a whole step (high-resolution wheels send fractions).
    int wheel_remainder_ = 0;
};
