// The About box's links: the author's page (control 1021, whose text is its address) and the
// campaign page (the two pictures 1022 and 1023). They show the hand cursor and open the page in
// the default browser through a replaceable shell call.
#pragma once
#include <windows.h>

// The shell's open call; tests put a recorder here so that no browser starts.
using ShellOpenFunction = HINSTANCE(WINAPI*)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                            LPCSTR folder, INT show);
extern ShellOpenFunction g_shellOpen;

// The procedure control 1021 had before the links were subclassed; the link procedure hands it
// every message it does not answer itself.
extern WNDPROC linkOldProc;

// Subclasses the three link controls of `dialog`.
void SubclassLinks(HWND dialog);

// Opens the page behind link control `id` with `dialog` as owner; false for any other control.
bool OpenLink(HWND dialog, int id);

// Colours of the dialog's static control `control`: the author's link in blue on a transparent
// background (returns the hollow brush); null for every other control (default colours).
HBRUSH LinkColours(HWND control, HDC dc);
