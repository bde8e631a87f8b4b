// The C runtime and the compiler's support library call three wide-character
// kernel functions (the exception unwinder's locks, the runtime's look-ups of
// its own DLL). Windows 95, 98 and Me carry these only as stubs that fail, so
// the import slots are filled here with ANSI stand-ins: the linker takes these
// definitions before the system library's, and the program never imports the
// wide functions at all. Only the 32-bit build needs this.
#if defined(__i386__)

#include <windows.h>

#include <string>

namespace {

// Every name passed here is plain ASCII (a DLL name or none at all).
bool ToAnsi(LPCWSTR wide, std::string& ansi) {
    if (!wide) return false;
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    ansi.assign(size > 0 ? size : 1, '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi.data(), size, nullptr, nullptr);
    return true;
}

HANDLE WINAPI CreateSemaphoreAnsi(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name) {
    std::string ansi;
    return CreateSemaphoreA(security, initial, maximum, ToAnsi(name, ansi) ? ansi.c_str() : nullptr);
}

HMODULE WINAPI GetModuleHandleAnsi(LPCWSTR name) {
    std::string ansi;
    return GetModuleHandleA(ToAnsi(name, ansi) ? ansi.c_str() : nullptr);
}

HMODULE WINAPI LoadLibraryAnsi(LPCWSTR name) {
    std::string ansi;
    if (!ToAnsi(name, ansi)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return LoadLibraryA(ansi.c_str());
}

}  // namespace

extern "C" {
void* ImportCreateSemaphoreW __asm__("__imp__CreateSemaphoreW@16") = reinterpret_cast<void*>(&CreateSemaphoreAnsi);
void* ImportGetModuleHandleW __asm__("__imp__GetModuleHandleW@4") = reinterpret_cast<void*>(&GetModuleHandleAnsi);
void* ImportLoadLibraryW __asm__("__imp__LoadLibraryW@4") = reinterpret_cast<void*>(&LoadLibraryAnsi);
}

#endif
