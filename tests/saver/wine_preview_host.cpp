// A preview host for the Windows saver's test: a 400 x 300 popup window titled "mepuhost" that
// starts the saver with /p and its handle, then checks that the saver lives as a child covering
// it, ignores input, and ends when the host window goes. Exit code 0 when all held.
// Usage: wine_preview_host.exe SAVER.SCR SECONDS_TO_SHOW
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

void pump_for(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

bool still_running(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

int fail(const char* what) {
    std::printf("preview host: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return fail("usage: wine_preview_host SAVER.SCR SECONDS");
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    window_class.lpszClassName = "MepuPreviewHost";
    RegisterClassA(&window_class);
    HWND host = CreateWindowExA(0, "MepuPreviewHost", "mepuhost", WS_POPUP | WS_VISIBLE, 100, 100,
                                400, 300, nullptr, nullptr, window_class.hInstance, nullptr);
    if (host == nullptr) return fail("no host window");
    pump_for(500);

    char command[MAX_PATH + 64];
    std::snprintf(command, sizeof command, "\"%s\" /p %lld", argv[1],
                  static_cast<long long>(reinterpret_cast<intptr_t>(host)));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("preview host: CreateProcessA failed with error %lu\n", GetLastError());
        return fail("the saver did not start");
    }
    pump_for(DWORD(std::atoi(argv[2])) * 1000);

    HWND child = FindWindowExA(host, nullptr, "WindowsScreenSaverClass", nullptr);
    if (child == nullptr) return fail("no saver child in the host");
    RECT rect{};
    GetClientRect(child, &rect);
    if (rect.right != 400 || rect.bottom != 300) return fail("the child does not cover the host");
    char title[64] = {};
    GetWindowTextA(child, title, sizeof title);
    if (title[0] != '\0') return fail("the preview has a title");

    PostMessageA(child, WM_KEYDOWN, 'A', 0);
    PostMessageA(child, WM_LBUTTONDOWN, 0, 0);
    SetCursorPos(5, 5);
    PostMessageA(child, WM_MOUSEMOVE, 0, 0);
    pump_for(1000);
    if (!still_running(process.hProcess)) return fail("input ended the preview");

    DestroyWindow(host);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        return fail("the preview did not end with its host");
    }
    std::printf("preview host: ok\n");
    return 0;
}
