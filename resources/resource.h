// Every resource, control and command id of noctil, with its fixed number.
// Kept by hand; included by the resource script and the C++ sources.
#ifndef NOCTIL_RESOURCE_H
#define NOCTIL_RESOURCE_H

// Bitmaps: the built-in skin (the values double as SkinElement codes) and the
// about picture.
#define IDB_PANEL               101
#define IDB_START_UP            103
#define IDB_START_DOWN          104
#define IDB_STOP_UP             105
#define IDB_STOP_DOWN           106
#define IDB_SPIN_ARROWS         108
#define IDB_CLOSE_DOWN          111
#define IDB_ABOUT               113
#define IDB_SHEET_2X            130 // the built-in sheet at twice the size, whole

// Menu with its two popups.
#define IDR_POPUP_MENU          102

// Dialog templates.
#define IDD_CONFIRM             110
#define IDD_ABOUT               112
#define IDD_WAIT                120
#define IDD_WINDOW_PICKER       121
#define IDD_NETWORK             125
#define IDD_COUNTDOWN           126
#define IDD_CLOCK_TIME          127
#define IDD_AUTOSTART           129

// Icons and cursors.
#define IDI_PROGRAM             114
#define IDI_TRAY_STOPPED        118
#define IDI_TRAY_RUNNING        119
#define IDI_PICKER              124
#define IDC_MAIN_CURSOR         105
#define IDC_ARROW_CURSOR        109
#define IDC_PICK_CURSOR         122

// The version text of the about box and the version resource.
#define NOCTIL_VERSION_TEXT     "1.95"
#define NOCTIL_VERSION_BINARY   1,95,0,0

// Confirmation dialog 110.
#define IDC_CONFIRM_COUNT       1000
#define IDC_CONFIRM_TEXT        1004

// About box 112.
#define IDC_ABOUT_VERSION       1001

// Window picker 121 (radio buttons shared with the auto-start dialog's group).
#define IDC_PICK_TITLE          1002
#define IDC_PICK_SOURCE         1003
#define IDC_PICK_CLASS          1008
#define IDC_WATCH_RENAMED       1005
#define IDC_WATCH_DISABLED      1006
#define IDC_WATCH_INACTIVE      1007
#define IDC_WATCH_DESTROYED     1009

// Network dialog 125.
#define IDC_NET_HOST            1011

// Countdown dialog 126.
#define IDC_CD_HOURS            1013
#define IDC_CD_HOURS_SPIN       1012
#define IDC_CD_MINUTES          1014
#define IDC_CD_MINUTES_SPIN     1015
#define IDC_CD_PRESET_3MIN      1016
#define IDC_CD_PRESET_15MIN     1017
#define IDC_CD_PRESET_10MIN     1018
#define IDC_CD_PRESET_30MIN     1019
#define IDC_CD_PRESET_1H        1020
#define IDC_CD_PRESET_5H        1021
#define IDC_CD_PRESET_2H        1022
#define IDC_CD_PRESET_8H        1023

// Clock-time dialog 127.
#define IDC_CT_HOUR             1018
#define IDC_CT_HOUR_SPIN        1012
#define IDC_CT_MINUTE           1017
#define IDC_CT_MINUTE_SPIN      1015

// Auto-start dialog 129.
#define IDC_AUTO_NONE           1009
#define IDC_AUTO_TIME           1005
#define IDC_AUTO_COUNTDOWN      1006
#define IDC_AUTO_NETWORK        1007
#define IDC_AUTO_HOUR           1023
#define IDC_AUTO_HOUR_SPIN      1025
#define IDC_AUTO_MINUTE         1024
#define IDC_AUTO_MINUTE_SPIN    1026
#define IDC_AUTO_CD_HOURS       1020
#define IDC_AUTO_CD_HOURS_SPIN  1012
#define IDC_AUTO_CD_MINUTES     1021
#define IDC_AUTO_CD_MINUTES_SPIN 1015
#define IDC_AUTO_HOST           1019

// Menu commands.
#define IDM_EXIT                40001
#define IDM_YEAR_1999           40002
#define IDM_YEAR_2000           40003
#define IDM_YEAR_2001           40004
#define IDM_YEAR_2002           40005
#define IDM_YEAR_2003           40006
#define IDM_YEAR_2004           40007
#define IDM_SET_8AM             40021
#define IDM_ALWAYS_ON_TOP       40023
#define IDM_FORCE               40024
#define IDM_ABOUT               40025
#define IDM_SILENT              40026
#define IDM_TRAY                40027
#define IDM_START               40028
#define IDM_STOP                40029
#define IDM_PRESET_AM0          40030
#define IDM_PRESET_PM0          40031
#define IDM_PRESET_AM3          40032
#define IDM_PRESET_AM9          40033
#define IDM_PRESET_AM6          40034
#define IDM_PRESET_PM3          40035
#define IDM_PRESET_PM6          40036
#define IDM_PRESET_PM9          40037
#define IDM_HELP                40038
#define IDM_NOTIFY_BEFORE_FORCE 40039
#define IDM_WINDOW_WATCH        40040
#define IDM_NETWORK_WATCH       40041
#define IDM_FORCE_IF_HUNG       40042
#define IDM_REBOOT              40043
#define IDM_SHUTDOWN            40044
#define IDM_STANDBY             40045
#define IDM_HIBERNATE           40046
#define IDM_COUNTDOWN           40047
#define IDM_CLOCK_TIME          40048
#define IDM_AUTOSTART           40049
#define IDM_LOGOFF              40050
#define IDM_SKIN_BUILTIN        40052
#define IDM_SKIN_FIRST          40200
#define IDM_SKIN_LAST           40299

// Timers of the main window and the confirmation dialog.
#define TIMER_TICK              300
#define TIMER_CONFIRM           301
#define TIMER_SPIN_REPEAT       500
#define TIMER_NOTIFY_WAIT       5000

// The notification-area icon.
#define TRAY_ICON_ID            1
#define WM_TRAY_CALLBACK        0x0400  /* WM_USER */

#endif
