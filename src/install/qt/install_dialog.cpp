#include "install/qt/install_dialog.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "install/installer_texts.h"
#include "qt_text/shift_jis_text.h"

namespace {

QLabel* framed_label(QWidget* parent, Qt::Alignment alignment, bool sunken) {
    auto* label = new QLabel(parent);
    label->setAlignment(alignment | Qt::AlignVCenter);
    if (sunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

}  // namespace

InstallDialog::InstallDialog(InstallScript script, bool script_ok, StartMenu& start_menu,
                             FileTypes* file_types, QWidget* parent)
    : QDialog(parent),
      script_(std::move(script)),
      script_ok_(script_ok),
      start_menu_(start_menu),
      file_types_(file_types) {
    // The layout follows the Windows dialog (263 x 131 dialog units at about 1.5 pixels each).
    setFixedSize(395, 213);
    setAcceptDrops(true);
    message_ = framed_label(this, Qt::AlignLeft, false);
    message_->setGeometry(10, 11, 375, 14);
    destination_ = framed_label(this, Qt::AlignHCenter, true);
    destination_->setGeometry(30, 37, 320, 18);
    hint_ = framed_label(this, Qt::AlignHCenter, false);
    hint_->setGeometry(10, 63, 374, 23);
    hint_->setWordWrap(true);
    progress_ = framed_label(this, Qt::AlignLeft, true);
    progress_->setGeometry(20, 182, 202, 20);
    install_ = new QPushButton(sjis_to_qstring(INSTALL_BUTTON_TEXT), this);
    install_->setGeometry(227, 179, 75, 23);
    install_->setDefault(true);
    cancel_ = new QPushButton(sjis_to_qstring(CANCEL_BUTTON_TEXT), this);
    cancel_->setGeometry(309, 179, 75, 23);
    connect(install_, &QPushButton::clicked, this, &InstallDialog::install);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::close);
    fill();
}

void InstallDialog::fill() {
    setWindowTitle(sjis_to_qstring(script_.title));
    hint_->setText(sjis_to_qstring(script_.destination_hint));
    message_->setText(sjis_to_qstring(script_.message));
    destination_->setText(QFile::decodeName(QByteArray::fromStdString(script_.destination)));
}

void InstallDialog::set_destination_folder(const QString& folder) {
    script_.destination = QFile::encodeName(folder).toStdString() + "/";
    fill();
}

void InstallDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!script_ok_ && !failure_reported_) {
        failure_reported_ = true;
        // After the dialog is up, as on Windows: the box, then the close.
        QTimer::singleShot(0, this, [this] {
            show_message(SCRIPT_READ_FAILED_TEXT, SCRIPT_READ_FAILED_TITLE);
            close();
        });
    }
}

void InstallDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void InstallDialog::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    set_destination_folder(QFileInfo(urls.first().toLocalFile()).absoluteFilePath());
    event->acceptProposedAction();
}

void InstallDialog::install() {
    install_->setEnabled(false);
    run_installation(script_, std::string(), *this, start_menu_, file_types_);
    close();
}

void InstallDialog::show_progress(const std::string& text) {
    progress_->setText(QString::fromLocal8Bit(text.data(), qsizetype(text.size())));
    progress_->repaint();
}

bool InstallDialog::ask_yes_no(const char* text, const char* title) {
    QMessageBox box(QMessageBox::NoIcon, sjis_to_qstring(title), sjis_to_qstring(text),
                    QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

void InstallDialog::show_message(const char* text, const char* title) {
    QMessageBox box(QMessageBox::NoIcon, sjis_to_qstring(title), sjis_to_qstring(text),
                    QMessageBox::Ok, this);
    box.exec();
}
