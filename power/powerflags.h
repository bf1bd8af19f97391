// The plain decisions of the power action: the ExitWindowsEx flag word, which
// path the action takes, and which processes are the shell. No Windows headers:
// tested natively.
#pragma once
#include <cstdint>

#include "base/codes.h"
#include "base/sjistext.h"

// ExitWindowsEx flag bits, as published for that call.
constexpr uint32_t kExitLogoff = 0x00;
constexpr uint32_t kExitShutdown = 0x01;
constexpr uint32_t kExitReboot = 0x02;
constexpr uint32_t kExitForce = 0x04;
constexpr uint32_t kExitPowerOff = 0x08;
constexpr uint32_t kExitForceIfHung = 0x10;

// True for stand-by (2) and hibernate (3), which go through
// SetSystemPowerState instead of ExitWindowsEx.
bool isPowerStateAction(int32_t powerAction);

// The flag word for shutdown, restart and log-off, with the force bits added.
// Stand-by and hibernate get 0 (they build no flag word). A value outside 0..4
// (a damaged options file) is taken as shutdown, the action the confirmation
// named for it.
uint32_t exitFlagsFor(int32_t powerAction, int32_t forceAction, int32_t forceIfHung);

// The two force options exclude each other: flipping one on switches the
// other off; flipping it off leaves the other as it is.
void flipForceOption(int32_t& flipped, int32_t& other);

// How stand-by and hibernate are carried out on this computer.
enum class PowerPath {
    SystemCall,     // SetSystemPowerState, as everywhere the capabilities are unknown
    DisplayOff,     // Modern Standby: the display off, and the system sleeps by itself
    CannotStandBy,  // neither S1-S3 nor Modern Standby: no call, a message
    HibernationOff, // no S4 or no hibernation file: no call, a message
    ExitWindows,    // shutdown, restart, log off
};
// Force changes no path: Modern Standby cannot be forced, and a computer
// that cannot stand by or hibernate cannot be made to.
PowerPath choosePowerPath(int32_t powerAction, bool force, const PowerCapabilities& capabilities);

// What the user is told where stand-by or hibernate cannot be done
// (CannotStandBy, HibernationOff); null for the other paths.
const char* powerPathMessage(PowerPath path);

// Whether the action waits behind the end-of-session notice to all windows.
bool defersBehindNotice(int32_t powerAction, int32_t forceAction, int32_t forceIfHung,
                        int32_t notifyBeforeForce);

// Whether a process list entry (a path on Windows 9x, a bare name on NT) names
// the shell: its base name is explorer.exe in any letter case. A trail byte
// 0x5C of a double-byte character is not taken for a backslash.
bool isShellProcessName(const char* exeFile, LeadBytePredicate isLeadByte);
