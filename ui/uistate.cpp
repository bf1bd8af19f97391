#include "ui/uistate.h"

#include <new>

UiState g_ui;

void resetUiState()
{
    g_ui.~UiState();
    new (&g_ui) UiState();
}
