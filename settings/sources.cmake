set(SETTINGS_PURE settings/options_layout.cpp settings/autostart_logic.cpp settings/time_entry.cpp)
set(SETTINGS_WIN32 settings/options.cpp settings/autostart.cpp settings/timedialogs.cpp
    settings/settings_dialog.cpp)
