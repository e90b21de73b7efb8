// The "変数 >>" buttons of the configuration dialog: a popup menu of template variables at the
// button's top-right corner, the chosen variable typed into the button's edit as an undoable
// change at the edit's selection or caret.
#pragma once
#include <windows.h>

#include <vector>

// The menu entries of button `buttonId`, in order: "VARIABLE\tdescription", "" for a separator.
// Empty for a control that is not a variable button.
const std::vector<const char*>& VariableMenuEntries(int buttonId);

// The edit a variable button fills; 0 for any other control.
int VariableMenuTarget(int buttonId);

// Shows button `buttonId`'s menu and inserts the choice; nothing happens when it is dismissed.
void ShowVariableMenu(HWND dialog, int buttonId);
