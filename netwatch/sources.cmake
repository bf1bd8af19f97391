set(NETWATCH_PURE)
set(NETWATCH_WIN32 netwatch/winsock_session.cpp netwatch/pingmonitor.cpp)
