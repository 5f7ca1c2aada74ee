#include "saver/core/saver_settings.h"

#include "saver/core/saver_texts.h"

std::string read_load_file(SettingsStore& store) {
    std::string path;
    if (!store.read_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, LOAD_FILE_BUFFER, &path)) {
        return std::string();
    }
    return path;
}

bool write_load_file(SettingsStore& store, const std::string& path) {
    return store.write_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, path);
}

bool password_required(SettingsStore& store) {
    uint32_t value = 0;
    return store.read_number(DESKTOP_KEY, VALUE_USE_PASSWORD, &value) && value != 0;
}

PasswordCheck check_password(SettingsStore& store, const std::string& typed) {
    if (!store.key_exists(DESKTOP_KEY)) return PasswordCheck::ACCEPTED;
    std::string stored;
    if (!store.read_string(DESKTOP_KEY, VALUE_PASSWORD, PASSWORD_BUFFER, &stored)) stored.clear();
    return typed == stored ? PasswordCheck::ACCEPTED : PasswordCheck::WRONG;
}

PasswordChange change_password(SettingsStore& store, const std::string& entry,
                               const std::string& confirmation) {
    if (entry != confirmation) return PasswordChange::MISMATCH;
    if (!store.key_exists(DESKTOP_KEY)) return PasswordChange::NOT_STORED;
    return store.write_string(DESKTOP_KEY, VALUE_PASSWORD, entry) ? PasswordChange::STORED
                                                                  : PasswordChange::WRITE_FAILED;
}

const char* change_refusal(PasswordChange change) {
    switch (change) {
        case PasswordChange::MISMATCH: return TEXT_PASSWORD_MISMATCH;
        case PasswordChange::WRITE_FAILED: return TEXT_PASSWORD_NOT_STORED;
        case PasswordChange::STORED:
        case PasswordChange::NOT_STORED: break;
    }
    return nullptr;
}
