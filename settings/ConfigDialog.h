// The configuration dialog (dialog resource 101): the window's visibility rule, the position
// slider, the three list-line templates with their switches, the list font, and an About box with
// two links. OK stores every field in g_settings and saves the INI file at once; what changes
// takes effect where the settings are next read, the dialog itself rebuilds nothing.
#pragma once
#include <windows.h>

// The small object the opener hands the dialog as its creation parameter; `window` names the
// dialog from its initialisation until its window is destroyed.
struct ConfigDialogState {
  HWND window = nullptr;
};

// The open configuration dialog, or null: there is only ever one.
extern HWND configDialogWnd;

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog modally from `module`'s resources, owned by the foreground window. 1 after OK;
// 0 after Cancel or when another instance was open (that one gets the focus).
INT_PTR RunConfigDialog(HINSTANCE module);
