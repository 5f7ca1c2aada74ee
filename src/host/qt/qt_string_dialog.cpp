// The string dialog (input_string): one edit line, OK and ｷｬﾝｾﾙ.
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStringEncoder>

#include <cstring>

#include "host/common/app_gate.h"
#include "host/common/pointer_state.h"
#include "host/host.h"
#include "host/qt/qt_dialog_units.h"
#include "host/qt/qt_gui_call.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "qt_text/shift_jis_text.h"
#include "host/qt/qt_string_dialog.h"

namespace {

constexpr const char* STRING_DIALOG_TITLE = "Zelkon interface easy-keybord";
constexpr const char* CANCEL_LABEL = "ｷｬﾝｾﾙ";
constexpr int STRING_DIALOG_POINT_SIZE = 12;

bool is_lead_byte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace

QByteArray fit_sjis(const QByteArray& bytes, int capacity) {
    if (capacity <= 0) return {};
    int kept = 0;
    // Walks whole characters so that a cut never leaves half of a double-byte one behind.
    while (kept < bytes.size()) {
        const int width = is_lead_byte(static_cast<unsigned char>(bytes[kept])) ? 2 : 1;
        if (kept + width > capacity - 1 || kept + width > bytes.size()) break;
        kept += width;
    }
    return bytes.left(kept);
}

StringDialog::StringDialog(QWidget* owner, const QString& text)
    : QDialog(owner),
      edit_(new QLineEdit(text, this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(sjis_to_qstring(CANCEL_LABEL), this)) {
    setWindowTitle(sjis_to_qstring(STRING_DIALOG_TITLE));
    setFont(dialog_font(STRING_DIALOG_POINT_SIZE));
    const DialogUnits units = dialog_units(font());
    setFixedSize(units.rect(0, 0, 289, 43).size());
    place_in_dialog_units(ok_, units, 179, 25, 50, 14);
    place_in_dialog_units(cancel_, units, 232, 25, 50, 14);
    place_in_dialog_units(edit_, units, 7, 7, 275, 17);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

int input_string(char* buffer, int capacity) {
    app_gate_pass();
    const ClicksOfDialogForgotten clicks_of_dialog;
    if (buffer == nullptr || capacity <= 0) return -1;
    const QString start =
        sjis_to_qstring(buffer, static_cast<int>(strnlen(buffer, static_cast<size_t>(capacity))));
    struct Outcome {
        bool accepted = false;
        QString text;
    };
    const Outcome outcome = run_on_gui([&] {
        if (app_gate_ending()) return Outcome{};
        StringDialog dialog(qt_host().main_window, start);
        dialog.setWindowModality(Qt::WindowModal);
        const bool accepted = dialog.exec() == QDialog::Accepted;
        return Outcome{accepted, dialog.text()};
    });
    if (!outcome.accepted) return -1;
    QStringEncoder encoder("Shift_JIS");
    const QByteArray fitted = fit_sjis(encoder.encode(outcome.text), capacity);
    std::memcpy(buffer, fitted.constData(), static_cast<size_t>(fitted.size()));
    buffer[fitted.size()] = '\0';
    return 0;
}
