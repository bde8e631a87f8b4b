// Times a program's start under the real system: starts it and watches for
// a window of the given title, every millisecond.
//   start_timer shown <title> <program> [arguments]   ms until the window is visible
//   start_timer lasts <title> <program> [arguments]   ms the window stays visible
// The program is closed afterwards. Prints the milliseconds, or -1 when the
// window did not come (or go) within a minute.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool Shown(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    return window && IsWindowVisible(window);
}

// Waits until shown() is `wanted`; the time it became so, or a negative number.
double WaitFor(const char* title, bool wanted, double limit) {
    while (Now() < limit) {
        if (Shown(title) == wanted) return Now();
        Sleep(1);
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::printf("usage: start_timer shown|lasts <title> <program> [arguments]\n");
        return 2;
    }
    const std::string mode = argv[1];
    const char* title = argv[2];
    std::string command = std::string("\"") + argv[3] + "\"";
    for (int i = 4; i < argc; ++i) command += std::string(" ") + argv[i];

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("-1\n");
        return 1;
    }
    const double limit = start + 60000;
    double result = -1;
    const double shown = WaitFor(title, true, limit);
    if (shown >= 0) {
        if (mode == "shown") {
            result = shown - start;
        } else {
            const double gone = WaitFor(title, false, limit);
            if (gone >= 0) result = gone - shown;
        }
    }
    // Ended as a user would end it, so that it takes its tray icon away: an
    // icon left behind by a killed program holds up the next start by
    // seconds. Brisbolt ends from its dispatcher, the bare programs from
    // their window; a program that does not end is killed.
    HWND closing = FindWindowA(nullptr, "BrisboltDispatcher");
    if (!closing) closing = FindWindowA(nullptr, title);
    if (closing) PostMessageA(closing, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 10000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("%.1f\n", result);
    return result >= 0 ? 0 : 1;
}
