#include "saver/qt/qt_saver_dialogs.h"

#include "saver/core/saver_settings.h"
#include "saver/core/saver_texts.h"
#include "saver/qt/shift_jis_text.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

namespace {

// Dialog units of the templates to pixels for a 9-point font.
QRect dialog_rect(int x, int y, int width, int height) {
    auto px = [](int units) { return units * 3 / 2; };
    return QRect(px(x), px(y), px(width), px(height));
}

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

// A fixed-size dialog laid out like its template.
class TemplateDialog : public QDialog {
public:
    TemplateDialog(const char* title, int width, int height) {
        setWindowTitle(from_shift_jis(title));
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPointSize(9);
        setFont(font);
        setFixedSize(dialog_rect(0, 0, width, height).size());
    }
    void label(const char* text, int x, int y, int width, int height) {
        auto* widget = new QLabel(from_shift_jis(text), this);
        widget->setWordWrap(true);
        widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget->setGeometry(dialog_rect(x, y, width, height));
    }
    QLineEdit* password_edit(const char* name, int x, int y, int width, int height) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setEchoMode(QLineEdit::Password);
        edit->setMaxLength(PASSWORD_EDIT_LIMIT);
        edit->setGeometry(dialog_rect(x, y, width, height));
        return edit;
    }
    QPushButton* button(const char* text, const char* name, bool is_default, int x, int y,
                        int width, int height) {
        auto* button = new QPushButton(from_shift_jis(text), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setDefault(is_default);
        button->setAutoDefault(is_default);
        button->setGeometry(dialog_rect(x, y, width, height));
        return button;
    }
};

}  // namespace

void show_saver_message(WindowHandle owner, const char* text, const char* caption,
                        SaverMessageIcon icon) {
    QMessageBox box(icon == SaverMessageIcon::ERROR ? QMessageBox::Critical : QMessageBox::Warning,
                    from_shift_jis(caption), from_shift_jis(text), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("saver_message"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    attach(&box, owner);
    box.exec();
}

int run_password_prompt(WindowHandle owner, SettingsStore& settings) {
    TemplateDialog dialog(TEXT_PROMPT_TITLE, 227, 65);
    dialog.setObjectName(QStringLiteral("password_prompt"));
    dialog.label(TEXT_PROMPT_EXPLANATION, 7, 7, 147, 21);
    dialog.label(TEXT_PROMPT_LABEL, 7, 44, 61, 8);
    QLineEdit* entry = dialog.password_edit("edit1000", 78, 44, 76, 14);
    QPushButton* ok = dialog.button(TEXT_OK, "ok", true, 172, 7, 48, 14);
    QPushButton* cancel = dialog.button(TEXT_CANCEL, "cancel", false, 172, 24, 48, 14);
    QObject::connect(ok, &QPushButton::clicked, &dialog, [&] {
        // The stored password is read afresh at every OK.
        if (check_password(settings, to_shift_jis(entry->text())) == PasswordCheck::ACCEPTED) {
            dialog.done(1);
            return;
        }
        warn(&dialog, TEXT_PASSWORD_WRONG);
    });
    QObject::connect(cancel, &QPushButton::clicked, &dialog, [&] { dialog.done(2); });
    attach(&dialog, owner);
    entry->setFocus();
    const int result = dialog.exec();
    // Closing with the window's own close button counts as cancel.
    return result == 1 ? 1 : 2;
}

void run_change_password(WindowHandle parent, SettingsStore& settings) {
    TemplateDialog dialog(TEXT_CHANGE_TITLE, 247, 75);
    dialog.setObjectName(QStringLiteral("change_password"));
    dialog.label(TEXT_CHANGE_HEADING, 7, 7, 111, 8);
    dialog.label(TEXT_CHANGE_NEW_LABEL, 7, 31, 54, 8);
    QLineEdit* entry = dialog.password_edit("edit1000", 104, 31, 79, 14);
    dialog.label(TEXT_CHANGE_CONFIRM_LABEL, 7, 50, 88, 8);
    QLineEdit* confirmation = dialog.password_edit("edit1001", 104, 50, 79, 14);
    QPushButton* ok = dialog.button(TEXT_OK, "ok", true, 190, 7, 50, 14);
    QPushButton* cancel = dialog.button(TEXT_CANCEL, "cancel", false, 190, 24, 50, 14);
    QObject::connect(ok, &QPushButton::clicked, &dialog, [&] {
        const PasswordChange change = change_password(settings, to_shift_jis(entry->text()),
                                                      to_shift_jis(confirmation->text()));
        if (change == PasswordChange::MISMATCH) {
            warn(&dialog, TEXT_PASSWORD_MISMATCH);
            return;
        }
        dialog.done(0);
    });
    QObject::connect(cancel, &QPushButton::clicked, &dialog, [&] { dialog.done(0); });
    attach(&dialog, parent);
    entry->setFocus();
    dialog.exec();
}

void run_choose_animation_file(WindowHandle owner, std::string* path) {
    const QString current = QFile::decodeName(QByteArray::fromStdString(*path));
    QFileDialog dialog(nullptr, from_shift_jis(TEXT_SETTINGS_TITLE));
    dialog.setObjectName(QStringLiteral("settings_file_dialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.setNameFilter(from_shift_jis(TEXT_FILTER_NAME) + QStringLiteral(" (") +
                         QString::fromLatin1(TEXT_FILTER_PATTERN) + QStringLiteral(")"));
    if (!current.isEmpty()) {
        dialog.setDirectory(QFileInfo(current).absolutePath());
        dialog.selectFile(current);
    }
    attach(&dialog, owner);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    *path = QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}
