// The open and save file dialogs on the Qt host.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include <cstring>

#include "host/common/app_gate.h"
#include "host/common/pointer_state.h"
#include "host/host.h"
#include "host/qt/qt_gui_call.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "qt_text/shift_jis_text.h"

namespace {

enum class FileDialogKind { open, save };

// Paths are bytes in the platform's encoding; Qt decodes and encodes them the same way.
QString path_from_bytes(const char* bytes) {
    const size_t length = strnlen(bytes, FILE_NAME_CAPACITY);
    return QFile::decodeName(QByteArray(bytes, static_cast<int>(length)));
}

// The caller has checked that `bytes` and its NUL fit the buffer.
void copy_into(char* buffer, const QByteArray& bytes) {
    std::memcpy(buffer, bytes.constData(), static_cast<size_t>(bytes.size()));
    buffer[bytes.size()] = '\0';
}

int choose_file(FileDialogKind kind, char* name, char* path, const char* title, const char* pattern,
                const char* description) {
    app_gate_pass();
    const ClicksOfDialogForgotten clicks_of_dialog;
    const QString caption = sjis_to_qstring(title);
    const QString filter =
        sjis_to_qstring(description) + QStringLiteral(" (") + sjis_to_qstring(pattern) + ")";
    const QFileInfo initial(QDir::current(), path_from_bytes(path));
    const QString chosen = run_on_gui([&]() -> QString {
        if (app_gate_ending()) return {};
        QFileDialog dialog(qt_host().main_window, caption, initial.absolutePath(), filter);
        dialog.setWindowModality(Qt::WindowModal);
        if (kind == FileDialogKind::open) {
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            // The file, and so its folder, must exist.
            dialog.setFileMode(QFileDialog::ExistingFile);
        } else {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.setDefaultSuffix(QStringLiteral("mpa"));
        }
        if (!initial.fileName().isEmpty()) dialog.selectFile(initial.fileName());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().constFirst();
    });
    if (chosen.isEmpty()) return 0;
    const QByteArray full = QFile::encodeName(QDir::toNativeSeparators(chosen));
    const QByteArray title_part = QFile::encodeName(QFileInfo(chosen).fileName());
    // A path too long for the editor's buffers counts as no choice; the buffers stay as they were.
    if (full.size() >= FILE_NAME_CAPACITY || title_part.size() >= FILE_NAME_CAPACITY) return 0;
    copy_into(path, full);
    copy_into(name, title_part);
    return 1;
}

}  // namespace

int choose_open_file(char* name, char* path, const char* title, const char* pattern,
                     const char* description) {
    return choose_file(FileDialogKind::open, name, path, title, pattern, description);
}

const char* prepare_program_file_dialog(char* name, char* path) {
    app_gate_pass();
    // The program the user is running is the one to choose: the dialog starts on it, so that
    // pressing Enter takes it.
    const QString program = QCoreApplication::applicationFilePath();
    const QByteArray full = QFile::encodeName(program);
    const QByteArray title_part = QFile::encodeName(QFileInfo(program).fileName());
    if (!program.isEmpty() && full.size() < FILE_NAME_CAPACITY) {
        copy_into(path, full);
        copy_into(name, title_part);
    }
    return "mepu";
}

int choose_save_file(char* name, char* path, const char* title, const char* pattern,
                     const char* description) {
    return choose_file(FileDialogKind::save, name, path, title, pattern, description);
}
