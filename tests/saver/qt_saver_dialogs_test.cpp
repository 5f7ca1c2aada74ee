// The Linux saver's password dialogs, driven as a user would: what reaches the store, how much
// the fields take, and whether their labels show whole.
#include "qt_text/shift_jis_text.h"
#include "saver/core/saver_settings.h"
#include "saver/core/saver_texts.h"
#include "saver/qt/qt_saver_dialogs.h"
#include "saver/registry_ini/registry_ini.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

namespace {

QString utf8(const char8_t* text) { return QString::fromUtf8(reinterpret_cast<const char*>(text)); }

// Steps run one after the other, each once the modal window it names is open.
class ModalScript : public QObject {
public:
    struct Step {
        QString window;  // object name of the modal dialog, or "box" for a message box
        std::function<void(QWidget*)> act;
    };
    explicit ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || next_ >= steps_.size()) return;
            const Step& step = steps_[next_];
            const bool is_box = qobject_cast<QMessageBox*>(modal) != nullptr;
            const bool wanted =
                step.window == QLatin1String("box") ? is_box : modal->objectName() == step.window;
            if (!wanted) return;
            ++next_;
            // Outside the timer's own slot: a step that opens a modal box must not keep the
            // timer from firing inside the box.
            QTimer::singleShot(0, modal, [act = step.act, modal] { act(modal); });
        });
        timer_.start(10);
    }
    bool finished() const { return next_ == steps_.size(); }

private:
    std::vector<Step> steps_;
    size_t next_ = 0;
    QTimer timer_;
};

QLineEdit* edit(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}
void click(QWidget* dialog, const char* name) {
    dialog->findChild<QPushButton*>(QString::fromLatin1(name))->click();
}
// Key presses carrying each character, as an input method delivers them.
void key_in(QWidget* field, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
    }
}
void type(QWidget* dialog, const char* name, const QString& text) {
    QLineEdit* field = edit(dialog, name);
    field->clear();
    key_in(field, text);
}
// Records the box's text and closes it.
std::function<void(QWidget*)> answer_box(QString* text) {
    return [text](QWidget* box) {
        *text = static_cast<QMessageBox*>(box)->text();
        static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
    };
}

struct SaverDialogs : testing::Test {
    test_support::TempFolder folder{"mepu-saver-dialogs"};
    std::unique_ptr<RegistryIniStore> store;

    void SetUp() override {
        store = std::make_unique<RegistryIniStore>(folder.file("registry.ini"),
                                                   std::vector<std::string>{DESKTOP_KEY});
    }
    std::string stored_password() {
        std::string value = "(none)";
        store->read_string(DESKTOP_KEY, VALUE_PASSWORD, 1 << 20, &value);
        return value;
    }
};

TEST_F(SaverDialogs, ChangeRefusesCharactersOutsideShiftJisAndStoresTheRestExactly) {
    QString refusal;
    ModalScript script({
        {"change_password",
         [](QWidget* d) {
             type(d, "edit1000", utf8(u8"aéb"));
             type(d, "edit1001", utf8(u8"aéb"));
             click(d, "ok");
         }},
        {"box", answer_box(&refusal)},
        {"change_password",
         [](QWidget* d) {
             // The refused entries stay as typed.
             EXPECT_EQ(edit(d, "edit1000")->text(), utf8(u8"aéb"));
             type(d, "edit1000", utf8(u8"aｱ表"));
             type(d, "edit1001", utf8(u8"aｱ表"));
             click(d, "ok");
         }},
    });
    run_change_password(NO_WINDOW, *store);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(refusal, sjis_to_qstring(TEXT_PASSWORD_UNSTORABLE));
    EXPECT_EQ(stored_password(), "aｱ表");
}

// registry.ini cannot be replaced (here the process may write no file of any size): the dialog
// says so and stays open, and the old password stays.
TEST_F(SaverDialogs, ChangeTellsWhenThePasswordCannotBeStored) {
    ASSERT_TRUE(store->write_string(DESKTOP_KEY, VALUE_PASSWORD, "old"));
    QString told;
    bool still_open = false;
    ModalScript script({
        {"change_password",
         [](QWidget* d) {
             type(d, "edit1000", QStringLiteral("new"));
             type(d, "edit1001", QStringLiteral("new"));
             click(d, "ok");
         }},
        {"box", answer_box(&told)},
        {"change_password",
         [&still_open](QWidget* d) {
             still_open = true;
             click(d, "cancel");
         }},
    });
    {
        const test_support::FileSizeLimit no_file(0);
        run_change_password(NO_WINDOW, *store);
    }
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(told, sjis_to_qstring(TEXT_PASSWORD_NOT_STORED));
    EXPECT_TRUE(still_open);
    EXPECT_EQ(stored_password(), "old");
}

TEST_F(SaverDialogs, PromptDoesNotAcceptAnEntryWithCharactersOutsideShiftJis) {
    ASSERT_EQ(change_password(*store, "ab", "ab"), PasswordChange::STORED);
    QString warning;
    ModalScript script({
        {"password_prompt",
         [](QWidget* d) {
             type(d, "edit1000", utf8(u8"aéb"));
             click(d, "ok");
         }},
        {"box", answer_box(&warning)},
        {"password_prompt", [](QWidget* d) { click(d, "cancel"); }},
    });
    EXPECT_EQ(run_password_prompt(NO_WINDOW, *store), 2);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(warning, sjis_to_qstring(TEXT_PASSWORD_WRONG));
}

// The store reads back 259 bytes, so the fields take 259 bytes of Shift-JIS, not characters.
TEST_F(SaverDialogs, FieldsTakeWhatTheStoreReadsBack) {
    const QString kana_258 = QString(129, QChar(0x30A2));  // ア, two bytes each
    QString after_kana, after_letter;
    ModalScript script({
        {"change_password",
         [&](QWidget* d) {
             type(d, "edit1000", kana_258);
             key_in(edit(d, "edit1000"), utf8(u8"ア"));
             after_kana = edit(d, "edit1000")->text();
             key_in(edit(d, "edit1000"), QStringLiteral("zz"));
             after_letter = edit(d, "edit1000")->text();
             type(d, "edit1001", after_letter);
             click(d, "ok");
         }},
    });
    run_change_password(NO_WINDOW, *store);
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(after_kana, kana_258);
    EXPECT_EQ(after_letter, kana_258 + QStringLiteral("z"));
    // What was stored is accepted by the prompt.
    const std::string stored = stored_password();
    EXPECT_EQ(stored.size(), PASSWORD_BUFFER - 1);
    EXPECT_EQ(check_password(*store, *qstring_to_sjis(kana_258 + QStringLiteral("z"))),
              PasswordCheck::ACCEPTED);
}

TEST_F(SaverDialogs, LabelsShowTheirWholeText) {
    int checked = 0;
    auto check_labels = [&checked](QWidget* dialog) {
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            QString text = label->text();
            text.remove(QLatin1Char('&'));
            const QFontMetrics metrics(label->font());
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height())
                    << text.toStdString();
            } else {
                EXPECT_LE(metrics.horizontalAdvance(text), label->width()) << text.toStdString();
                EXPECT_LE(metrics.height(), label->height()) << text.toStdString();
            }
            ++checked;
        }
    };
    ModalScript script({
        {"change_password",
         [&](QWidget* d) {
             check_labels(d);
             click(d, "cancel");
         }},
        {"password_prompt",
         [&](QWidget* d) {
             check_labels(d);
             click(d, "cancel");
         }},
    });
    run_change_password(NO_WINDOW, *store);
    run_password_prompt(NO_WINDOW, *store);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(checked, 5);
}

}  // namespace
