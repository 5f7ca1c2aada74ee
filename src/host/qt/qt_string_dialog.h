// The string dialog of the Qt host.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QLineEdit>

class QPushButton;

class StringDialog : public QDialog {
public:
    StringDialog(QWidget* owner, const QString& text);

    QString text() const { return edit_->text(); }
    QLineEdit* edit() const { return edit_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel_button() const { return cancel_; }

private:
    QLineEdit* edit_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// The longest start of Shift-JIS `bytes` that fits a buffer of `capacity` bytes with its NUL,
// never ending inside a double-byte character.
QByteArray fit_sjis(const QByteArray& bytes, int capacity);
