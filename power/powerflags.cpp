#include "power/powerflags.h"

#include "base/codes.h"

namespace {

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringAsciiCase(const char* a, const char* b)
{
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (asciiLower(*a) != asciiLower(*b))
            return false;
    }
    return *a == *b;
}

} // namespace

bool isPowerStateAction(int32_t powerAction)
{
    return powerAction == Standby || powerAction == Hibernate;
}

uint32_t exitFlagsFor(int32_t powerAction, int32_t forceAction, int32_t forceIfHung)
{
    if (isPowerStateAction(powerAction))
        return 0;
    uint32_t flags;
    switch (powerAction) {
    case Reboot: flags = kExitShutdown | kExitReboot; break;
    case Logoff: flags = kExitLogoff; break;
    default: flags = kExitShutdown | kExitPowerOff; break;
    }
    if (forceAction != 0)
        flags |= kExitForce;
    if (forceIfHung != 0)
        flags |= kExitForceIfHung;
    return flags;
}

void flipForceOption(int32_t& flipped, int32_t& other)
{
    flipped = !flipped;
    if (flipped)
        other = 0;
}

PowerPath choosePowerPath(int32_t powerAction, bool, const PowerCapabilities& c)
{
    if (!isPowerStateAction(powerAction))
        return PowerPath::ExitWindows;
    if (!c.known)
        return PowerPath::SystemCall;
    if (powerAction == Hibernate)
        return c.s4 && c.hiberFilePresent ? PowerPath::SystemCall : PowerPath::HibernationOff;
    if (c.s1 || c.s2 || c.s3)
        return PowerPath::SystemCall;
    return c.modernStandby ? PowerPath::DisplayOff : PowerPath::CannotStandBy;
}

const char* powerPathMessage(PowerPath path)
{
    switch (path) {
    case PowerPath::CannotStandBy:
        return "このコンピュータはスタンバイ（スリープ）できません。\r\nタイマーを止めました。";
    case PowerPath::HibernationOff:
        return "このコンピュータでは休止状態が無効になっています。\r\n"
               "有効にするには、管理者としてコマンド プロンプトを開き、「powercfg /h on」を実行してください。";
    default:
        return nullptr;
    }
}

bool defersBehindNotice(int32_t powerAction, int32_t forceAction, int32_t forceIfHung,
                        int32_t notifyBeforeForce)
{
    return notifyBeforeForce != 0 && forceAction != 0 && forceIfHung == 0 &&
           !isPowerStateAction(powerAction);
}

bool isShellProcessName(const char* exeFile, LeadBytePredicate isLeadByte)
{
    if (exeFile == nullptr || *exeFile == '\0')
        return false;
    const char* base = exeFile;
    for (const char* p = exeFile; *p != '\0';) {
        if (isLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') {
            p += 2;
            continue;
        }
        if (*p == '\\')
            base = p + 1;
        ++p;
    }
    return equalsIgnoringAsciiCase(base, "explorer.exe");
}
