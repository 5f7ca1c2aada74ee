#include "wine_driver.h"

#include <tlhelp32.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "support/temp_folder.h"

namespace {

// Long enough for the editor to poll the pointer many times, even on a busy machine.
constexpr DWORD HOLD_MS = 150;

struct Search {
    DWORD process_id;
    const char* class_name;
    const char* title;
    HWND found;
};

BOOL CALLBACK match_window(HWND window, LPARAM lparam) {
    Search& s = *reinterpret_cast<Search*>(lparam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s.process_id || !IsWindowVisible(window)) return TRUE;
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    if (std::strcmp(text, s.title) != 0) return TRUE;
    if (s.class_name != nullptr) {
        char name[256] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::strcmp(name, s.class_name) != 0) return TRUE;
    }
    s.found = window;
    return FALSE;
}

POINT screen_point(HWND main_window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(main_window, &p);
    return p;
}

}  // namespace

std::string windows_path(const std::string& unix_path) {
    std::string path = "Z:" + unix_path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string make_scratch_folder(const char* prefix) {
    // Kept until the test program ends, then removed whatever the tests gave.
    static std::vector<test_support::TempFolder> folders;
    folders.emplace_back(prefix);
    return folders.back().path().string();
}

bool file_exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string windows_editor_config() {
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, sizeof directory);
    return std::string(directory) + "\\mepusys.ini";
}

bool write_editor_config(const std::string& program_folder) {
    std::FILE* f = std::fopen(windows_editor_config().c_str(), "w");
    if (f == nullptr) return false;
    const bool written = std::fputs(program_folder.c_str(), f) >= 0;
    return std::fclose(f) == 0 && written;
}

bool wait_for(const std::function<bool()>& done, int timeout_ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (static_cast<int>(GetTickCount() - start) >= timeout_ms) return false;
        Sleep(20);
    }
}

DrivenProgram::~DrivenProgram() {
    if (process_.hProcess == nullptr) return;
    if (running()) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool DrivenProgram::start(const std::string& exe, const std::string& arguments,
                          const std::string& folder) {
    std::string command = "\"" + exe + "\"";
    if (!arguments.empty()) command += " " + arguments;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process_) != 0;
}

HWND DrivenProgram::find_window(const char* class_name, const char* title) const {
    Search s = {process_.dwProcessId, class_name, title, nullptr};
    EnumWindows(match_window, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND DrivenProgram::wait_window(const char* class_name, const char* title, int timeout_ms) const {
    HWND found = nullptr;
    wait_for([&] { return (found = find_window(class_name, title)) != nullptr; }, timeout_ms);
    return found;
}

long DrivenProgram::wait_exit(int timeout_ms) {
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout_ms)) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
}

bool DrivenProgram::running() const {
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::string dialog_item_text(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string message_box_text(HWND box) {
    // The text of a message box is the static control with this id.
    return dialog_item_text(box, 0xFFFF);
}

void press_button(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void send_menu_command(HWND window, int id) { PostMessageA(window, WM_COMMAND, id, 0); }

SIZE client_size(HWND window) {
    RECT r = {0, 0, 0, 0};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

void move_canvas(HWND main_window, int x, int y) {
    const POINT p = screen_point(main_window, x, y);
    SetCursorPos(p.x, p.y);
    Sleep(HOLD_MS);
}

void button_down(HWND main_window, int x, int y, bool right) {
    move_canvas(main_window, x, y);
    PostMessageA(main_window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
                 right ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, y));
    Sleep(HOLD_MS);
}

void button_up(HWND main_window, int x, int y, bool right) {
    move_canvas(main_window, x, y);
    PostMessageA(main_window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Sleep(HOLD_MS);
}

namespace {
// Runs `deliver` while every thread of the window's process but its GUI thread is suspended, so
// that the application thread cannot poll in between.
void with_application_held(HWND window, const std::function<void()>& deliver) {
    DWORD process_id = 0;
    const DWORD gui_thread = GetWindowThreadProcessId(window, &process_id);
    std::vector<HANDLE> held;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != process_id || entry.th32ThreadID == gui_thread) continue;
        const HANDLE thread =
            OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE, entry.th32ThreadID);
        if (thread == nullptr) continue;
        if (SuspendThread(thread) == static_cast<DWORD>(-1)) {
            CloseHandle(thread);
            continue;
        }
        // Returns only once the thread has really stopped.
        CONTEXT context = {};
        context.ContextFlags = CONTEXT_CONTROL;
        GetThreadContext(thread, &context);
        held.push_back(thread);
    }
    CloseHandle(snapshot);
    deliver();
    for (const HANDLE thread : held) {
        ResumeThread(thread);
        CloseHandle(thread);
    }
}
}  // namespace

void quick_click_canvas(HWND main_window, int x, int y, bool right) {
    move_canvas(main_window, x, y);
    with_application_held(main_window, [&] {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(main_window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
                            right ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, y), SMTO_NORMAL, 5000,
                            &ignored);
        SendMessageTimeoutA(main_window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, y),
                            SMTO_NORMAL, 5000, &ignored);
    });
    Sleep(HOLD_MS);
}

void click_canvas(HWND main_window, int x, int y, bool right) {
    button_down(main_window, x, y, right);
    button_up(main_window, x, y, right);
}
