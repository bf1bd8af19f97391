// The codes the program's parts share: what a trigger watches, why the
// confirmation opens, which power action runs, what a ping came to, and the
// built-in text colours. No Windows headers: native code uses them too.
#pragma once
#include <cstdint>

// The trigger the monitor display watches; the clock time has no code.
enum MonitorMode : int32_t {
    WindowRenamed = 0,
    WindowDestroyedOrDisabled = 1,
    WindowInactive = 2,
    WindowDestroyed = 3,
    Network = 101,
    Countdown = 201,
};

// Which wording the confirmation shows.
enum ConfirmReason : int32_t {
    Timer = 0,
    Window = 1,
    Ping = 2,
};

// The option `powerAction`.
enum PowerAction : int32_t {
    Shutdown = 0,
    Reboot = 1,
    Standby = 2,
    Hibernate = 3,
    Logoff = 4,
};

// What the computer can do, as the system's power capabilities say; `known`
// false where they cannot be asked (Windows 95, NT 4.0, no powrprof, a
// failed query). `modernStandby` is S0 low-power idle (AoAc, Windows 8 and
// later; a reserved zero byte before).
struct PowerCapabilities {
    bool known;
    bool s1, s2, s3;
    bool modernStandby;
    bool s4;
    bool hiberFilePresent;
};

// Result of one ping: 0 or more is the round trip in milliseconds.
enum PingResult : int32_t {
    NoSocket = -1,      // neither a raw socket nor the system's echo service
    SelectFailed = -2,  // waiting for the reply failed
    ReceiveFailed = -3, // the socket was readable but reading it failed
    HostNotFound = -10, // the name did not resolve
    NoReply = -11,      // no reply of ours within the wait
};

// The built-in skin's text colours, 0x00BBGGRR: line 1, line 2 stopped,
// line 2 running.
constexpr uint32_t kBuiltInTextColor1 = 0x00297F00;
constexpr uint32_t kBuiltInTextColor2 = 0x00297A9B;
constexpr uint32_t kBuiltInTextColor3 = 0x000002FF;
