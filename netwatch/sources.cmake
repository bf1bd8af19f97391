set(NETWATCH_PURE netwatch/icmp_echo.cpp netwatch/ping_loop.cpp)
set(NETWATCH_WIN32 netwatch/winsock_session.cpp netwatch/echo_service.cpp netwatch/icmp_pinger.cpp
    netwatch/pingmonitor.cpp netwatch/hostdialog.cpp)
