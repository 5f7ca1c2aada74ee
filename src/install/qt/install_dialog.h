// The installer's dialog on a Linux desktop.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "install/install_script.h"
#include "install/installation.h"

class InstallDialog : public QDialog, private InstallerUi {
    Q_OBJECT
public:
    // script_ok false: the script could not be read; the dialog says so and closes.
    InstallDialog(InstallScript script, bool script_ok, StartMenu& start_menu,
                  FileTypes* file_types = nullptr, QWidget* parent = nullptr);
    const InstallScript& script() const { return script_; }
    QLabel* destination_label() const { return destination_; }
    QLabel* progress_label() const { return progress_; }
    QPushButton* install_button() const { return install_; }
    QPushButton* cancel_button() const { return cancel_; }
    // Makes a dropped folder the destination.
    void set_destination_folder(const QString& folder);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fill();
    void install();
    void show_progress(const std::string& text) override;
    bool ask_yes_no(const char* text, const char* title) override;
    void show_message(const char* text, const char* title) override;

    InstallScript script_;
    bool script_ok_;
    bool failure_reported_ = false;
    StartMenu& start_menu_;
    FileTypes* file_types_;
    QLabel* message_;
    QLabel* destination_;
    QLabel* hint_;
    QLabel* progress_;
    QPushButton* install_;
    QPushButton* cancel_;
};
