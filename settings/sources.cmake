set(SETTINGS_PURE settings/autostart_logic.cpp settings/time_entry.cpp)
set(SETTINGS_WIN32 settings/options.cpp settings/autostart.cpp settings/trigger_dialogs.cpp
    settings/settings_dialog.cpp)
