// A library planted beside a program under a system library's name: when it
// is loaded, it appends the path it was loaded from to planted.log in its own
// folder. It exports nothing, so a program that takes it gets no functions.
#include <windows.h>

#include <cstring>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH + 16] = {};
    char log[MAX_PATH + 16] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    std::strcpy(log, path);
    if (char* slash = std::strrchr(log, '\\'))
        std::strcpy(slash + 1, "planted.log");
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        std::strcat(path, "\r\n");
        DWORD written = 0;
        WriteFile(file, path, static_cast<DWORD>(std::strlen(path)), &written, nullptr);
        CloseHandle(file);
    }
    return TRUE;
}
