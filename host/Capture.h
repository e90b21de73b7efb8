// A window's picture as a 24-bit BMP file.
#pragma once
#include <windows.h>

#include <string>

namespace host {

// Paints the window first, then copies its pixels. False when the window is not visible or the
// file cannot be written.
bool CaptureWindow(HWND hwnd, const std::string& path);

}  // namespace host
