set(PROGRAM_PURE program/trigger_rules.cpp)
set(PROGRAM_WIN32 program/entry.cpp program/mainwindow.cpp program/tick.cpp program/triggers.cpp
    program/commands.cpp)
