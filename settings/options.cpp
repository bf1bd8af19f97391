#include "settings/options.h"

#include <shellapi.h>

#include "core/appstate.h"
#include "core/paths.h"

const char kOptionsFileName[] = "noctil.gid";
const char kOptionsFreshName[] = "noctil.gid.new";
const char kOptionsAsideName[] = "noctil.gid.old";
const char kCompanionProgram[] = "noctillink.exe";

namespace {

using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

struct Path {
    char text[sizeof g_app.programDirectory + 32];
};

// A name in the program directory; false when the path would not fit (a cut
// path would name another file).
bool inProgramDirectory(Path& out, const char* name)
{
    return copyText(out.text, sizeof out.text, g_app.programDirectory) &&
           appendText(out.text, sizeof out.text, name);
}

struct OptionsPaths {
    Path file, fresh, aside;
};

bool optionsPaths(OptionsPaths& p)
{
    return inProgramDirectory(p.file, kOptionsFileName) && inProgramDirectory(p.fresh, kOptionsFreshName) &&
           inProgramDirectory(p.aside, kOptionsAsideName);
}

// Reads up to a whole image; the number of bytes read, or -1 when the file
// cannot be opened.
long readImage(const char* path, unsigned char (&image)[kOptionsFileSize])
{
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    DWORD total = 0;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, image + total, kOptionsFileSize - total, &got, nullptr) || got == 0)
            break;
        total += got;
        if (total == kOptionsFileSize)
            break;
    }
    CloseHandle(file);
    return static_cast<long>(total);
}

bool exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

MoveFileExFunction replacingMove()
{
    // Bound at run time: Windows 95 has the name only as a stub, and we do not
    // want to depend on it being exported at all.
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr)
        return nullptr;
    return reinterpret_cast<MoveFileExFunction>(GetProcAddress(kernel, "MoveFileExA"));
}

// Without MoveFileExA: the old file goes aside, the new one in, the old one
// away. At every moment one complete file is to be found.
bool replaceByRenaming(const char* fresh, const char* target, const char* aside)
{
    const bool hadTarget = exists(target);
    if (hadTarget) {
        DeleteFileA(aside); // left by an earlier interrupted save; target is newer
        if (!MoveFileA(target, aside)) {
            const DWORD error = GetLastError();
            DeleteFileA(fresh);
            SetLastError(error);
            return false;
        }
    }
    if (!MoveFileA(fresh, target)) {
        const DWORD error = GetLastError();
        if (!hadTarget || MoveFileA(aside, target))
            DeleteFileA(fresh);
        SetLastError(error);
        return false;
    }
    DeleteFileA(aside);
    return true;
}

} // namespace

bool replaceFileSafely(const char* fresh, const char* target, const char* aside, bool allowMoveFileEx)
{
    const DWORD attributes = GetFileAttributesA(target);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        DeleteFileA(fresh);
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (allowMoveFileEx) {
        MoveFileExFunction move = replacingMove();
        if (move != nullptr && move(fresh, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            DeleteFileA(aside); // a leftover of an interrupted save is older still
            return true;
        }
    }
    return replaceByRenaming(fresh, target, aside);
}

bool readOptionsFile(Options& inOut)
{
    OptionsPaths p;
    if (!optionsPaths(p))
        return false;
    unsigned char image[kOptionsFileSize];
    long n = readImage(p.file.text, image);
    if (n <= 0) {
        // An interrupted save: the new file counts only if it was written
        // whole, else the old one set aside.
        n = readImage(p.fresh.text, image);
        if (n != static_cast<long>(kOptionsFileSize))
            n = readImage(p.aside.text, image);
    }
    return n > 0 && decodeOptions(image, static_cast<size_t>(n), inOut);
}

bool writeOptionsFile(const Options& options)
{
    OptionsPaths p;
    if (!optionsPaths(p))
        return false;
    unsigned char image[kOptionsFileSize];
    encodeOptions(options, image);

    HANDLE file = CreateFileA(p.fresh.text, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, image, sizeof image, &written, nullptr) && written == sizeof image;
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    if (!ok) {
        const DWORD error = GetLastError();
        DeleteFileA(p.fresh.text);
        SetLastError(error);
        return false;
    }
    return replaceFileSafely(p.fresh.text, p.file.text, p.aside.text, true);
}

void startCompanionProgram()
{
    // Looked for first, so that a missing program never brings up a message
    // from the shell.
    Path program;
    if (!inProgramDirectory(program, kCompanionProgram) || !exists(program.text))
        return;
    const char* directory = g_app.programDirectory[0] != '\0' ? g_app.programDirectory : nullptr;
    ShellExecuteA(nullptr, nullptr, kCompanionProgram, nullptr, directory, SW_SHOWNORMAL);
}

void loadOptions()
{
    if (!readOptionsFile(g_app.options))
        startCompanionProgram();
}

void saveOptions()
{
    writeOptionsFile(g_app.options);
}
