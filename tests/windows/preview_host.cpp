// Plays the part of Screen Saver Settings for `wobblux.scr /p HWND`: makes the little window the
// preview draws in, starts the screen saver with its handle, checks that the screen saver's
// window appears as its child and fills it (also after a resize), then destroys it, as the dialog
// does when it closes, and checks that the screen saver ends with status 0.
//
//   preview_host SCREEN_SAVER

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace {

constexpr DWORD kPatienceMs = 15000;  // under wine a program takes seconds to start

// 0 if it holds, 1 after saying what is wrong.
int check(bool holds, const char* what) {
    if (!holds) {
        std::printf("FAIL: %s\n", what);
    }
    return holds ? 0 : 1;
}

// Handles the host's messages until `done` holds or the time runs out.
template <typename Condition>
bool pumpUntil(Condition done, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        Sleep(20);
    }
    return true;
}

bool fills(HWND child, HWND host) {
    RECT inner = {};
    RECT outer = {};
    GetClientRect(child, &inner);
    GetClientRect(host, &outer);
    return inner.right == outer.right && inner.bottom == outer.bottom;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: preview_host SCREEN_SAVER\n");
        return 2;
    }
    // The size of the dialog's little screen.
    const HWND host = CreateWindowExA(0, "STATIC", "Preview", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                      0, 152, 112, nullptr, nullptr, nullptr, nullptr);
    char command[MAX_PATH + 64];
    std::snprintf(command, sizeof command, "\"%s\" /p %llu", argv[1],
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(host)));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (check(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process) != 0,
              "the screen saver did not start") != 0) {
        return 1;
    }
    HWND child = nullptr;
    int failures = check(
        pumpUntil([&] { return (child = GetWindow(host, GW_CHILD)) != nullptr; }, kPatienceMs),
        "no child window appeared in the host");
    if (child != nullptr) {
        failures += check(pumpUntil([&] { return fills(child, host); }, 2000),
                          "the child does not fill the host");
        SetWindowPos(host, nullptr, 0, 0, 240, 180, SWP_NOMOVE | SWP_NOZORDER);
        failures += check(pumpUntil([&] { return fills(child, host); }, 2000),
                          "the child does not follow the host's new size");
    }
    DestroyWindow(host);
    const bool ended = WaitForSingleObject(process.hProcess, kPatienceMs) == WAIT_OBJECT_0;
    failures += check(ended, "the screen saver is still running after its host went");
    DWORD status = 1;
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
    } else if (GetExitCodeProcess(process.hProcess, &status) && status != 0) {
        std::printf("FAIL: the screen saver ended with status %lu\n", status);
        ++failures;
    }
    std::printf(failures == 0 ? "PASS\n" : "FAIL\n");
    return failures == 0 ? 0 : 1;
}
