set(STATE_PURE state/options_layout.cpp)
set(STATE_WIN32 state/appstate.cpp)
