#include "settings/options.h"

#include <shellapi.h>

#include "base/platform.h"
#include "base/sjistext.h"
#include "state/appstate.h"

const char kOptionsFileName[] = "noctil.gid";
// No longer than the file's own name, so every folder that can hold the file
// can hold these too.
const char kOptionsFreshName[] = "noctil.new";
const char kOptionsAsideName[] = "noctil.old";
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

// The files an interrupted save leaves in place of a missing options file, in
// the order they are tried: a new file counts only if it was written whole.
struct Leftover {
    const char* name;
    bool wholeOnly;
};

const Leftover kLeftovers[] = {
    {kOptionsFreshName, true},
    {kOptionsAsideName, false},
};

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

// Only where the options file is missing: what an interrupted save left.
long readLeftover(unsigned char (&image)[kOptionsFileSize])
{
    Path path;
    for (const Leftover& leftover : kLeftovers) {
        if (!inProgramDirectory(path, leftover.name))
            continue;
        const long n = readImage(path.text, image);
        if (n == static_cast<long>(kOptionsFileSize) || (n > 0 && !leftover.wholeOnly))
            return n;
    }
    return -1;
}

bool exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// A read-only file is the user's word that it stays as it is; a directory is
// never ours to move or replace.
bool refusesReplacement(const char* target)
{
    const DWORD attributes = GetFileAttributesA(target);
    return attributes != INVALID_FILE_ATTRIBUTES
           && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

// Deletes a file an earlier save left behind, read-only or not; a directory
// of that name stays.
void removeLeftover(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
}

void removeAllLeftovers()
{
    Path path;
    for (const Leftover& leftover : kLeftovers) {
        if (inProgramDirectory(path, leftover.name))
            removeLeftover(path.text);
    }
}

// Writes the whole image to an open file and closes it.
bool writeAndClose(HANDLE file, const unsigned char (&image)[kOptionsFileSize])
{
    DWORD written = 0;
    bool ok = WriteFile(file, image, sizeof image, &written, nullptr) && written == sizeof image;
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    return ok;
}

// A fresh file under `path`: whatever an earlier save left there is removed
// first, so neither its contents nor its attributes are taken over.
HANDLE createFresh(const char* path)
{
    removeLeftover(path);
    return CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Where no new file can be made beside it, the file is rewritten in place, as
// the program always did before it saved safely.
bool writeInPlace(const char* target, const unsigned char (&image)[kOptionsFileSize])
{
    if (refusesReplacement(target)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    HANDLE file = CreateFileA(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file != INVALID_HANDLE_VALUE && writeAndClose(file, image);
}

MoveFileExFunction replacingMove()
{
    // Bound at run time: Windows 95 has the name only as a stub, and we do not
    // want to depend on it being exported at all.
    return systemFunction<MoveFileExFunction>("kernel32.dll", "MoveFileExA");
}

// Without MoveFileExA: the old file goes aside, the new one in, the old one
// away. At every moment one complete file is to be found.
bool replaceByRenaming(const char* fresh, const char* target, const char* aside)
{
    const bool hadTarget = exists(target);
    if (hadTarget) {
        removeLeftover(aside); // left by an earlier interrupted save; target is newer
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
    if (refusesReplacement(target)) {
        DeleteFileA(fresh);
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (allowMoveFileEx) {
        MoveFileExFunction move = replacingMove();
        if (move != nullptr && move(fresh, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            removeLeftover(aside); // a leftover of an interrupted save is older still
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
    // A file that is there, even an empty one, is read as it stands.
    const long n = exists(p.file.text) ? readImage(p.file.text, image) : readLeftover(image);
    return n > 0 && decodeOptions(image, static_cast<size_t>(n), inOut);
}

bool writeOptionsFile(const Options& options)
{
    OptionsPaths p;
    if (!optionsPaths(p))
        return false;
    unsigned char image[kOptionsFileSize];
    encodeOptions(options, image);

    HANDLE file = createFresh(p.fresh.text);
    if (file == INVALID_HANDLE_VALUE)
        return writeInPlace(p.file.text, image);
    if (!writeAndClose(file, image)) {
        const DWORD error = GetLastError();
        DeleteFileA(p.fresh.text);
        SetLastError(error);
        return false;
    }
    if (!replaceFileSafely(p.fresh.text, p.file.text, p.aside.text, true))
        return false;
    removeAllLeftovers();
    return true;
}

namespace {

// Starts noctillink.exe from the program directory, if it is there.
void startCompanionProgram()
{
    // Looked for first, so that a missing program never brings up a message
    // from the shell.
    Path program;
    if (!inProgramDirectory(program, kCompanionProgram) || !exists(program.text))
        return;
    const char* directory = g_app.programDirectory[0] != '\0' ? g_app.programDirectory : nullptr;
    shellOpen(kCompanionProgram, directory);
}

} // namespace

void loadOptions()
{
    if (!readOptionsFile(g_app.options))
        startCompanionProgram();
}

void saveOptions()
{
    writeOptionsFile(g_app.options);
}
