#include "base/platform.h"

#include <shellapi.h>

#include "base/sjistext.h"

namespace {

// Values of newer headers, fixed by the system.
constexpr DWORD kSearchSystem32 = 0x00000800;   // LOAD_LIBRARY_SEARCH_SYSTEM32
constexpr ULONG kDllRedirectionSection = 2;     // ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION

// The system has been told to look for libraries loaded by name in the system
// directory alone (and in the side-by-side store before it).
bool g_searchRestricted = false;

// Whether the program's activation context (its manifest) names the library,
// so that the side-by-side store answers for it before any folder is searched.
bool activationContextNames(const char* library)
{
    using FindSection = BOOL(WINAPI*)(DWORD, const GUID*, ULONG, LPCSTR, PACTCTX_SECTION_KEYED_DATA);
    const auto find = systemFunction<FindSection>("kernel32.dll", "FindActCtxSectionStringA");
    if (find == nullptr)
        return false;
    ACTCTX_SECTION_KEYED_DATA data = {};
    data.cbSize = sizeof data;
    return find(0, nullptr, kDllRedirectionSection, library, &data) != 0;
}

} // namespace

bool systemLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != 0;
}

bool isNtPlatform()
{
    static int platform = -1; // not asked yet
    if (platform < 0) {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version; // 148 bytes
        platform = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT ? 1 : 0;
    }
    return platform == 1;
}

char* moduleDirectory(char* buffer, size_t size)
{
    if (size == 0)
        return buffer;
    // Read whole first: only the directory has to fit in the caller's buffer.
    char path[4096];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n + 1 >= sizeof path) {
        buffer[0] = '\0';
        return buffer;
    }
    stripFileNameWith(path, systemLeadByte);
    if (!copyText(buffer, size, path))
        buffer[0] = '\0';
    return buffer;
}

namespace {

void shellExecute(const char* file, const char* directory)
{
    ShellExecuteA(nullptr, nullptr, file, nullptr, directory, SW_SHOWNORMAL);
}

ShellOpenFunction g_shellOpen = shellExecute;

} // namespace

void shellOpen(const char* file, const char* directory)
{
    g_shellOpen(file, directory);
}

void setShellOpenForTest(ShellOpenFunction open)
{
    g_shellOpen = open != nullptr ? open : shellExecute;
}

HINSTANCE instanceOf(HWND window)
{
    HINSTANCE instance = nullptr;
    if (window != nullptr)
        instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    return instance != nullptr ? instance : GetModuleHandleA(nullptr);
}

void restrictLibrarySearch()
{
    // Windows 8 and later, and Windows Vista and 7 with their loader update.
    using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
    if (const auto set = systemFunction<SetDefaultDirectories>("kernel32.dll", "SetDefaultDllDirectories"))
        g_searchRestricted = set(kSearchSystem32) != 0;
    // Windows XP SP1 and later: an empty name drops the current directory.
    using SetDirectory = BOOL(WINAPI*)(LPCSTR);
    if (const auto set = systemFunction<SetDirectory>("kernel32.dll", "SetDllDirectoryA"))
        set("");
}

HMODULE loadSystemLibrary(const char* name)
{
    char path[MAX_PATH + 64];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    removeTrailingBackslashWith(path, systemLeadByte);
    if (!appendText(path, sizeof path, "\\") || !appendText(path, sizeof path, name))
        return nullptr;
    // With a full path the libraries it needs in turn are looked for in its
    // own folder first, not in the program's.
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE loadCommonControls()
{
    // Loaded by name the library goes through the manifest's side-by-side
    // lookup (version 6 on Windows XP and later), which comes before any
    // folder; that is safe where the manifest names it or where the search is
    // restricted to the system directory. Elsewhere (Windows 95 to 2000) a
    // full path keeps the program's folder out.
    if (g_searchRestricted || activationContextNames("comctl32.dll"))
        return LoadLibraryA("comctl32.dll");
    return loadSystemLibrary("comctl32.dll");
}

bool systemLocalOffset(void*, uint64_t utc, int64_t& offset)
{
    const FILETIME system = fileTimeOf(utc);
    FILETIME local;
    if (!FileTimeToLocalFileTime(&system, &local))
        return false;
    offset = static_cast<int64_t>(fileTimeValue(local) - utc);
    return true;
}

bool zoneRuleOffset(void*, uint64_t utc, int64_t& offset)
{
    using Convert = BOOL(WINAPI*)(TIME_ZONE_INFORMATION*, const SYSTEMTIME*, SYSTEMTIME*);
    static const Convert convert = systemFunction<Convert>("kernel32.dll", "SystemTimeToTzSpecificLocalTime");
    const FILETIME system = fileTimeOf(utc);
    SYSTEMTIME systemFields, localFields;
    FILETIME whole, local; // both to the millisecond, as the fields hold them
    if (convert == nullptr || !FileTimeToSystemTime(&system, &systemFields)
        || !convert(nullptr, &systemFields, &localFields) || !SystemTimeToFileTime(&systemFields, &whole)
        || !SystemTimeToFileTime(&localFields, &local))
        return false;
    offset = static_cast<int64_t>(fileTimeValue(local) - fileTimeValue(whole));
    return true;
}

// Windows 7 and later; bound by name so that older systems start. Bound once,
// before any thread of ours runs: the tick reads the clocks three times.
using UnbiasedTimeFn = BOOL(WINAPI*)(ULONGLONG*);
const UnbiasedTimeFn unbiasedTime = systemFunction<UnbiasedTimeFn>("kernel32.dll", "QueryUnbiasedInterruptTime");

ClockSample readSystemClocks()
{
    ClockSample sample = {};
    ULONGLONG unbiased = 0;
    sample.hasUnbiased = unbiasedTime != nullptr && unbiasedTime(&unbiased);
    sample.unbiased = unbiased;
    sample.tickMs = GetTickCount();
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    sample.utc = fileTimeValue(utc);
    return sample;
}

// The system's record: Windows 8 added Hiberboot, WakeAlarmPresent and AoAc
// in the three spare bytes after FastSystemS4, which earlier systems leave 0.
static_assert(sizeof(SYSTEM_POWER_CAPABILITIES) == 76, "power capabilities record");
static_assert(offsetof(SYSTEM_POWER_CAPABILITIES, FastSystemS4) == 17, "power capabilities record");
constexpr size_t kAoAcOffset = 20;

PowerCapabilities readPowerCapabilities()
{
    PowerCapabilities capabilities = {};
    HMODULE powrprof = loadSystemLibrary("powrprof.dll");
    using GetCapabilitiesFn = BOOLEAN(WINAPI*)(SYSTEM_POWER_CAPABILITIES*);
    GetCapabilitiesFn query;
    SYSTEM_POWER_CAPABILITIES system = {};
    if (bindFunction(powrprof, "GetPwrCapabilities", query) && query(&system)) {
        capabilities.known = true;
        capabilities.s1 = system.SystemS1 != 0;
        capabilities.s2 = system.SystemS2 != 0;
        capabilities.s3 = system.SystemS3 != 0;
        capabilities.modernStandby = reinterpret_cast<const BYTE*>(&system)[kAoAcOffset] != 0;
        capabilities.s4 = system.SystemS4 != 0;
        capabilities.hiberFilePresent = system.HiberFilePresent != 0;
    }
    if (powrprof != nullptr)
        FreeLibrary(powrprof);
    return capabilities;
}
