// The two fonts of the track list: the list font (size from the host's INI file, face from the
// settings) and the 9-pixel font of the compact strip. Made once per window; the caller owns them.
#pragma once
#include <windows.h>

#include <string>

constexpr int kSmallFontHeight = 9;
// Face used when the chosen face cannot be used, and for the small font.
extern const char kFallbackFontFace[];

// A Shift-JIS font of the given cell height and face; null when the face cannot be used
// (longer than a font description holds) or the system refuses it.
HFONT CreateShiftJisFont(int height, const std::string& face);
// List font of the given cell height (the host's "pe_fontsize") with face `face`, or with the
// fallback face when that cannot be created.
HFONT CreateListFont(int height, const std::string& face);
HFONT CreateSmallFont();
