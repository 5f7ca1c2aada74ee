#include "host/qt/qt_message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include <vector>

#include "host/common/app_gate.h"
#include "host/common/pointer_state.h"

#include "host/qt/qt_gui_call.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "qt_text/shift_jis_text.h"

namespace {

struct ButtonSpec {
    const char* label;
    MessageAnswer answer;
};

std::vector<ButtonSpec> button_specs(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::yes_no:
            return {{"はい(&Y)", MessageAnswer::yes}, {"いいえ(&N)", MessageAnswer::no}};
        case MessageButtons::retry_cancel:
            return {{"再試行(&R)", MessageAnswer::retry}, {"キャンセル", MessageAnswer::cancel}};
        case MessageButtons::ok: break;
    }
    return {{"OK", MessageAnswer::ok}};
}

QMessageBox::Icon box_icon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::error: return QMessageBox::Critical;
        case MessageIcon::exclamation: return QMessageBox::Warning;
        case MessageIcon::information: return QMessageBox::Information;
        case MessageIcon::none: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer show_message_box(QWidget* owner, const QString& text, const QString& title,
                               MessageButtons buttons, MessageIcon icon, BoxModality modality) {
    const ClicksOfDialogForgotten clicks_of_dialog;
    QMessageBox box(box_icon(icon), title, text, QMessageBox::NoButton, owner);
    const bool owner_only = owner != nullptr && modality == BoxModality::owner_window;
    box.setWindowModality(owner_only ? Qt::WindowModal : Qt::ApplicationModal);
    const std::vector<ButtonSpec> specs = button_specs(buttons);
    std::vector<QPushButton*> pushed;
    for (const ButtonSpec& spec : specs)
        pushed.push_back(box.addButton(sjis_to_qstring(spec.label), QMessageBox::AcceptRole));
    box.setDefaultButton(pushed.front());
    // Escape and the close box give the last button: Cancel, No or the lone OK.
    box.setEscapeButton(pushed.back());
    box.exec();
    for (size_t i = 0; i < pushed.size(); ++i)
        if (box.clickedButton() == pushed[i]) return specs[i].answer;
    return specs.back().answer;
}

MessageAnswer message_box(const char* text, const char* title, MessageButtons buttons,
                          MessageIcon icon) {
    app_gate_pass();
    const QString shown_text = sjis_to_qstring(text);
    const QString shown_title = sjis_to_qstring(title);
    return run_on_gui([&] {
        // Once the program is ending nothing new is shown; the box counts as closed.
        if (app_gate_ending()) return button_specs(buttons).back().answer;
        return show_message_box(qt_host().main_window, shown_text, shown_title, buttons, icon);
    });
}
