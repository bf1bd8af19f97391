set(SETTINGS_PURE settings/options_layout.cpp)
set(SETTINGS_WIN32 settings/options.cpp settings/autostart.cpp settings/timedialogs.cpp)
