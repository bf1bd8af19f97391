// Carrying out the power action.
#pragma once
#include <windows.h>

// Starts the configured power action after a confirmed trigger.
void beginPowerAction(HWND window);
// Performs the exit or power-state call with `exitFlags`.
void performPowerAction(UINT exitFlags, HWND window);
