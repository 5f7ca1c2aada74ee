#include "fake_saver_platform.h"

#include "saver/core/saver_picture.h"
#include "saver/core/saver_window.h"

bool FakeSaverPlatform::register_window_class(const char*) { return !class_registration_fails; }

WindowHandle FakeSaverPlatform::create_window(SaverWindow* owner, const char* class_name,
                                              WindowHandle host) {
    owner_ = owner;
    created_host = host;
    created_class = class_name;
    window_alive = true;
    return 42;
}

void FakeSaverPlatform::destroy_window(WindowHandle window) {
    if (!window_alive) return;
    window_alive = false;
    owner_->handle_message(window, SAVER_MSG_DESTROY, 0, 0);
}

void FakeSaverPlatform::show_window(WindowHandle) { shown_window = true; }

void FakeSaverPlatform::client_size(WindowHandle, int32_t* width, int32_t* height) {
    *width = 640;
    *height = 480;
}

void FakeSaverPlatform::post_close(WindowHandle) { queue.push_back(SAVER_MSG_CLOSE); }

void FakeSaverPlatform::post_quit(int) { quit_posted = true; }

MessageStep FakeSaverPlatform::take_message(int* quit_code) {
    while (!scheduled.empty() && scheduled.begin()->first <= clock) {
        auto action = std::move(scheduled.begin()->second);
        scheduled.erase(scheduled.begin());
        action();
    }
    if (quit_posted) {
        quit_posted = false;
        *quit_code = 0;
        return MessageStep::QUIT;
    }
    if (queue.empty()) return MessageStep::NONE;
    const uint32_t message = queue.front();
    queue.pop_front();
    if (window_alive) owner_->handle_message(42, message, 0, 0);
    return MessageStep::DISPATCHED;
}

void FakeSaverPlatform::wait_message() {
    ++waits;
    // Nothing will ever come; jump to the next scripted action.
    if (!scheduled.empty()) clock = scheduled.begin()->first;
}

void FakeSaverPlatform::wait_message_for(uint32_t milliseconds) {
    timed_waits.push_back(milliseconds);
    if (!queue.empty()) return;
    uint32_t until = last_reading + milliseconds;
    if (!scheduled.empty() && scheduled.begin()->first < until) until = scheduled.begin()->first;
    if (static_cast<int32_t>(until - clock) > 0) clock = until;
}

int FakeSaverPlatform::password_prompt(WindowHandle) {
    const int answer = size_t(prompts) < prompt_answers.size() ? prompt_answers[prompts] : 2;
    ++prompts;
    if (while_prompting) while_prompting();
    return answer;
}

bool FakeSaverPlatform::create_picture(WindowHandle, SaverPicture* picture) {
    if (picture_creation_fails) return false;
    // Garbage, so that the saver's own whitening shows.
    picture_memory_.assign(PICTURE_PIXELS, 0x5A);
    picture->bits = picture_memory_.data();
    return true;
}

void FakeSaverPlatform::present_picture(WindowHandle, const SaverPicture& picture,
                                        const PaintContext*, int32_t, int32_t) {
    ShownPicture shot{clock, std::vector<uint8_t>(PICTURE_PIXELS)};
    for (int32_t row = 0; row < PICTURE_HEIGHT; ++row) {
        const uint8_t* source = picture.bits + size_t(PICTURE_HEIGHT - 1 - row) * PICTURE_WIDTH;
        std::copy(source, source + PICTURE_WIDTH,
                  shot.top_first.begin() + size_t(row) * PICTURE_WIDTH);
    }
    shown.push_back(std::move(shot));
}

void FakeSaverPlatform::release_picture(SaverPicture* picture) {
    picture_memory_.clear();
    picture_memory_.shrink_to_fit();
    picture->bits = nullptr;
}

void FakeSaverFront::choose_animation_file(WindowHandle owner, std::string* path) {
    settings_owners.push_back(owner);
    initial_selections.push_back(*path);
    if (!cancel_file_dialog) *path = chosen_file;
}

bool MemorySettingsStore::read_string(const char* key, const char* name, size_t buffer_size,
                                      std::string* value) {
    auto k = keys.find(key);
    if (k == keys.end()) return false;
    auto v = k->second.find(name);
    if (v == k->second.end() || v->second.is_number) return false;
    if (v->second.text.size() + 1 > buffer_size) return false;
    *value = v->second.text;
    return true;
}

bool MemorySettingsStore::read_number(const char* key, const char* name, uint32_t* value) {
    auto k = keys.find(key);
    if (k == keys.end()) return false;
    auto v = k->second.find(name);
    if (v == k->second.end() || !v->second.is_number) return false;
    *value = v->second.number;
    return true;
}

bool MemorySettingsStore::write_string(const char* key, const char* name,
                                       const std::string& value) {
    if (writes_fail) return false;
    set_string(key, name, value);
    return true;
}
