// Start-up, configuration and shut-down of the plug-in, called through the plug-in record.
// Kept apart from the exported entry so that test programs can drive them in-process.
#pragma once
#include <windows.h>

// Loads the settings, registers the window class, creates the window, hands it to the controller
// and intercepts the host's windows. 0 when the window exists, 1 after telling the user why not.
int StartUp(HWND hostWnd, HINSTANCE module);

// The configuration entry of the host's plug-in menu (and of the window's settings item): runs the
// configuration dialog; 1 after OK, 0 after Cancel or when the dialog was already open.
int OpenConfiguration();

// Saves the settings, lets go of the host's windows, takes the window down and destroys the
// controller, which deletes its temporary MiniBrowser copy. The host may unload the DLL right
// after this returns.
void ShutDown();
