// The rules of the saver's settings and password, apart from the dialogs that ask for them.
#pragma once

#include "saver/core/settings_store.h"

#include <string>

// The animation file to play; empty when none is stored.
std::string read_load_file(SettingsStore& store);
bool write_load_file(SettingsStore& store, const std::string& path);

// A password is required only when the value exists, is a 32-bit number and is not 0.
bool password_required(SettingsStore& store);

enum class PasswordCheck { ACCEPTED, WRONG };
// The prompt's OK: the typed text must equal the stored password exactly, byte for byte. With
// the desktop key missing any entry is accepted; an unreadable password counts as empty.
PasswordCheck check_password(SettingsStore& store, const std::string& typed);

enum class PasswordChange { STORED, MISMATCH, NOT_STORED, WRITE_FAILED };
// The change dialog's OK: the two entries must be equal; the password is stored only when the
// desktop key exists (it is never created). NOT_STORED closes the dialog silently; WRITE_FAILED
// (the store refused the value, the old password stays) is told to the user.
PasswordChange change_password(SettingsStore& store, const std::string& entry,
                               const std::string& confirmation);

// What the change dialog tells the user before it stays open for another try; null when it
// closes.
const char* change_refusal(PasswordChange change);

// The most bytes of Shift-JIS an edit box of the password dialogs takes: what the store reads back.
inline constexpr int PASSWORD_EDIT_LIMIT = static_cast<int>(PASSWORD_BUFFER) - 1;
