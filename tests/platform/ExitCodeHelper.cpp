// Test helper: runs a program, answers each message box it shows with OK
// after printing its text, and prints the program's exit code as Windows
// gives it (a Unix exit status under Wine keeps only the low byte).
//   brisbolt_exit_code.exe <program> [arguments...]
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

struct Boxes {
    DWORD process = 0;
    std::set<HWND> answered;
};

BOOL CALLBACK AnswerBox(HWND window, LPARAM parameter) {
    auto& boxes = *reinterpret_cast<Boxes*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (process != boxes.process || std::string(name) != "#32770" || !IsWindowVisible(window) ||
        boxes.answered.count(window))
        return TRUE;
    char text[2048] = {};
    GetDlgItemTextA(window, 0xFFFF, text, sizeof text);  // a message box's text
    std::printf("message: %s\n", text);
    std::fflush(stdout);
    // Long enough for a picture of it.
    Sleep(1500);
    boxes.answered.insert(window);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: brisbolt_exit_code.exe <program> [arguments...]\n");
        return 2;
    }
    std::string command;
    for (int i = 1; i < argc; ++i) command += (i > 1 ? " \"" : "\"") + std::string(argv[i]) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("cannot start %s: error %lu\n", command.c_str(), GetLastError());
        return 2;
    }
    Boxes boxes;
    boxes.process = process.dwProcessId;
    const DWORD started = GetTickCount();
    while (WaitForSingleObject(process.hProcess, 200) == WAIT_TIMEOUT) {
        EnumWindows(AnswerBox, reinterpret_cast<LPARAM>(&boxes));
        if (GetTickCount() - started > 240000) {
            std::printf("the program did not end within four minutes\n");
            TerminateProcess(process.hProcess, 1);
            return 3;
        }
    }
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    std::printf("exit code: %lu\n", code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
