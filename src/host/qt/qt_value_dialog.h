// The value dialog (input_value): a scroll bar over a range, the value shown as digits, OK and
// ｷｬﾝｾﾙ. The behaviour is the shared state machine's; this is only its face.
#pragma once

#include <QDialog>

#include "host/common/value_dialog.h"

class QLabel;
class QPushButton;
class QScrollBar;

class ValueDialog : public QDialog {
public:
    ValueDialog(QWidget* owner, int maximum, int minimum, int value);

    int value() const { return state_.value; }
    QScrollBar* scroll_bar() const { return scroll_bar_; }
    QLabel* display() const { return display_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel_button() const { return cancel_; }

private:
    void on_action(int action);
    void show_value();

    ValueDialogState state_;
    QScrollBar* scroll_bar_;
    QLabel* display_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
