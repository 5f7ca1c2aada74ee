#include "saver/qt/qt_saver_dialogs.h"

#include "qt_text/shift_jis_text.h"
#include "saver/core/saver_settings.h"
#include "saver/core/saver_texts.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QValidator>
#include <QWindow>

#include <cmath>
#include <optional>
#include <vector>

namespace {

bool is_our_widget(WindowHandle owner) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (reinterpret_cast<WindowHandle>(widget) == owner) return true;
    }
    return false;
}

// Makes `dialog` belong to `owner`: one of our widgets, or a foreign window by its id.
void attach(QWidget* dialog, WindowHandle owner) {
    if (owner == NO_WINDOW) return;
    dialog->winId();
    if (is_our_widget(owner)) {
        QWidget* widget = reinterpret_cast<QWidget*>(owner);
        widget->winId();
        dialog->windowHandle()->setTransientParent(widget->windowHandle());
    } else if (QWindow* foreign = QWindow::fromWinId(WId(owner))) {
        dialog->windowHandle()->setTransientParent(foreign);
    }
}

// A warning over the dialog; afterwards the typing goes on where it was, also where no window
// manager hands the focus back.
void warn(QDialog* dialog, const char* text) {
    QWidget* focused = QApplication::focusWidget();
    show_saver_message(reinterpret_cast<WindowHandle>(dialog), text, CAPTION_ERROR,
                       SaverMessageIcon::EXCLAMATION);
    dialog->activateWindow();
    if (focused != nullptr) focused->setFocus();
}

// The edit boxes take as many bytes of Shift-JIS as the store reads back, not characters.
class ShiftJisLimit : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return sjis_length(input) <= PASSWORD_EDIT_LIMIT ? Acceptable : Invalid;
    }
};

// One control of a dialog template, in dialog units.
struct TemplateControl {
    enum Kind { LABEL, WRAPPED_LABEL, PASSWORD_EDIT, BUTTON, DEFAULT_BUTTON } kind;
    const char* text;
    const char* name;
    int x, y, width, height;
};

// Dialog units in pixels, from the font as the window system takes them (a quarter of the average
// character width, an eighth of the height), widened where a text of ours would not fit whole:
// the font here is not the one the templates were drawn for.
struct Units {
    double x = 2, y = 2;
    QRect rect(int left, int top, int width, int height) const {
        return QRect(int(std::lround(left * x)), int(std::lround(top * y)),
                     int(std::lround(width * x)), int(std::lround(height * y)));
    }
};

bool fits(const QFontMetrics& metrics, const Units& units, const TemplateControl& control) {
    const QRect box = units.rect(0, 0, control.width, control.height);
    QString text = sjis_to_qstring(control.text);
    text.remove(QLatin1Char('&'));
    if (control.kind == TemplateControl::LABEL) {
        return metrics.horizontalAdvance(text) <= box.width();
    }
    const QRect needed = metrics.boundingRect(QRect(0, 0, box.width(), 10000),
                                              Qt::TextWordWrap | Qt::AlignLeft, text);
    return needed.height() <= box.height();
}

Units fitted_units(const QFont& font, const std::vector<TemplateControl>& controls) {
    const QFontMetrics metrics(font);
    Units units{metrics.averageCharWidth() / 4.0, metrics.height() / 8.0};
    for (const TemplateControl& control : controls) {
        const bool label = control.kind == TemplateControl::LABEL ||
                           control.kind == TemplateControl::WRAPPED_LABEL;
        if (!label) continue;
        // Bounded: a wrapped text always fits on one line at last, but a font could be odd.
        for (int step = 0; step < 100 && !fits(metrics, units, control); ++step) units.x *= 1.05;
    }
    return units;
}

// A fixed-size dialog laid out like its template; a label's mnemonic leads to the edit after it.
class TemplateDialog : public QDialog {
public:
    TemplateDialog(const char* title, int width, int height,
                   const std::vector<TemplateControl>& controls) {
        setWindowTitle(sjis_to_qstring(title));
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPointSize(9);
        setFont(font);
        const Units units = fitted_units(font, controls);
        setFixedSize(units.rect(0, 0, width, height).size());
        QLabel* last_label = nullptr;
        for (const TemplateControl& control : controls) {
            QWidget* widget = nullptr;
            switch (control.kind) {
                case TemplateControl::LABEL:
                case TemplateControl::WRAPPED_LABEL: {
                    auto* label = new QLabel(sjis_to_qstring(control.text), this);
                    label->setWordWrap(control.kind == TemplateControl::WRAPPED_LABEL);
                    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                    last_label = label;
                    widget = label;
                    break;
                }
                case TemplateControl::PASSWORD_EDIT: {
                    auto* edit = new QLineEdit(this);
                    edit->setEchoMode(QLineEdit::Password);
                    edit->setValidator(new ShiftJisLimit(edit));
                    if (last_label != nullptr) last_label->setBuddy(edit);
                    widget = edit;
                    break;
                }
                case TemplateControl::BUTTON:
                case TemplateControl::DEFAULT_BUTTON: {
                    auto* button = new QPushButton(sjis_to_qstring(control.text), this);
                    const bool is_default = control.kind == TemplateControl::DEFAULT_BUTTON;
                    button->setDefault(is_default);
                    button->setAutoDefault(is_default);
                    widget = button;
                    break;
                }
            }
            if (control.name != nullptr) widget->setObjectName(QString::fromLatin1(control.name));
            widget->setGeometry(units.rect(control.x, control.y, control.width, control.height));
        }
    }
    template <typename T>
    T* control(const char* name) {
        return findChild<T*>(QString::fromLatin1(name));
    }
};

}  // namespace

void show_saver_message(WindowHandle owner, const char* text, const char* caption,
                        SaverMessageIcon icon) {
    QMessageBox box(icon == SaverMessageIcon::ERROR ? QMessageBox::Critical : QMessageBox::Warning,
                    sjis_to_qstring(caption), sjis_to_qstring(text), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("saver_message"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    attach(&box, owner);
    box.exec();
}

int run_password_prompt(WindowHandle owner, SettingsStore& settings) {
    TemplateDialog dialog(
        TEXT_PROMPT_TITLE, 227, 65,
        {
            {TemplateControl::WRAPPED_LABEL, TEXT_PROMPT_EXPLANATION, nullptr, 7, 7, 147, 21},
            {TemplateControl::LABEL, TEXT_PROMPT_LABEL, nullptr, 7, 44, 61, 8},
            {TemplateControl::PASSWORD_EDIT, "", "edit1000", 78, 44, 76, 14},
            {TemplateControl::DEFAULT_BUTTON, TEXT_OK, "ok", 172, 7, 48, 14},
            {TemplateControl::BUTTON, TEXT_CANCEL, "cancel", 172, 24, 48, 14},
        });
    dialog.setObjectName(QStringLiteral("password_prompt"));
    QLineEdit* entry = dialog.control<QLineEdit>("edit1000");
    QObject::connect(dialog.control<QPushButton>("ok"), &QPushButton::clicked, &dialog, [&] {
        // The stored password is read afresh at every OK. A character outside Shift-JIS cannot
        // be part of it, so such an entry is simply wrong.
        const std::optional<std::string> typed = qstring_to_sjis(entry->text());
        if (typed && check_password(settings, *typed) == PasswordCheck::ACCEPTED) {
            dialog.done(1);
            return;
        }
        warn(&dialog, TEXT_PASSWORD_WRONG);
    });
    QObject::connect(dialog.control<QPushButton>("cancel"), &QPushButton::clicked, &dialog,
                     [&] { dialog.done(2); });
    attach(&dialog, owner);
    entry->setFocus();
    const int result = dialog.exec();
    // Closing with the window's own close button counts as cancel.
    return result == 1 ? 1 : 2;
}

void run_change_password(WindowHandle parent, SettingsStore& settings) {
    TemplateDialog dialog(
        TEXT_CHANGE_TITLE, 247, 75,
        {
            {TemplateControl::LABEL, TEXT_CHANGE_HEADING, nullptr, 7, 7, 111, 8},
            {TemplateControl::LABEL, TEXT_CHANGE_NEW_LABEL, nullptr, 7, 31, 54, 8},
            {TemplateControl::PASSWORD_EDIT, "", "edit1000", 104, 31, 79, 14},
            {TemplateControl::LABEL, TEXT_CHANGE_CONFIRM_LABEL, nullptr, 7, 50, 88, 8},
            {TemplateControl::PASSWORD_EDIT, "", "edit1001", 104, 50, 79, 14},
            {TemplateControl::DEFAULT_BUTTON, TEXT_OK, "ok", 190, 7, 50, 14},
            {TemplateControl::BUTTON, TEXT_CANCEL, "cancel", 190, 24, 50, 14},
        });
    dialog.setObjectName(QStringLiteral("change_password"));
    QLineEdit* entry = dialog.control<QLineEdit>("edit1000");
    QLineEdit* confirmation = dialog.control<QLineEdit>("edit1001");
    QObject::connect(dialog.control<QPushButton>("ok"), &QPushButton::clicked, &dialog, [&] {
        const std::optional<std::string> new_text = qstring_to_sjis(entry->text());
        const std::optional<std::string> confirmed = qstring_to_sjis(confirmation->text());
        // Stored as typed or not at all: a character without a Shift-JIS form is refused.
        if (!new_text || !confirmed) {
            warn(&dialog, TEXT_PASSWORD_UNSTORABLE);
            return;
        }
        const char* refusal = change_refusal(change_password(settings, *new_text, *confirmed));
        if (refusal != nullptr) {
            warn(&dialog, refusal);
            return;
        }
        dialog.done(0);
    });
    QObject::connect(dialog.control<QPushButton>("cancel"), &QPushButton::clicked, &dialog,
                     [&] { dialog.done(0); });
    attach(&dialog, parent);
    entry->setFocus();
    dialog.exec();
}

void run_choose_animation_file(WindowHandle owner, std::string* path) {
    const QString current = QFile::decodeName(QByteArray::fromStdString(*path));
    QFileDialog dialog(nullptr, sjis_to_qstring(TEXT_SETTINGS_TITLE));
    dialog.setObjectName(QStringLiteral("settings_file_dialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.setNameFilter(sjis_to_qstring(TEXT_FILTER_NAME) + QStringLiteral(" (") +
                         QString::fromLatin1(TEXT_FILTER_PATTERN) + QStringLiteral(")"));
    if (!current.isEmpty()) {
        dialog.setDirectory(QFileInfo(current).absolutePath());
        dialog.selectFile(current);
    }
    attach(&dialog, owner);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    *path = QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}
