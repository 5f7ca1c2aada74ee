// Answers the message boxes a dialog under test opens, as a user would, and records them.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

class BoxAnswerer : public QObject {
public:
    // Clicks the button with this text, or the only button of a box that has one.
    explicit BoxAnswerer(QString button) : button_(std::move(button)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            titles.push_back(box->windowTitle());
            texts.push_back(box->text());
            for (QAbstractButton* b : box->buttons())
                if (b->text() == button_ || box->buttons().size() == 1) {
                    b->click();
                    return;
                }
        });
        timer_.start(20);
    }
    QStringList titles;
    QStringList texts;

private:
    QString button_;
    QTimer timer_;
};
