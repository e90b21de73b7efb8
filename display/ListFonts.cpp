#include "display/ListFonts.h"

#include <cstring>

const char kFallbackFontFace[] = "MS Pゴシック";

HFONT CreateShiftJisFont(int height, const std::string& face) {
  // A face that does not fit would be cut to some other name; treat it as unusable instead.
  if (face.size() >= LF_FACESIZE) return nullptr;
  LOGFONTA font = {};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = VARIABLE_PITCH | FF_MODERN;
  std::memcpy(font.lfFaceName, face.c_str(), face.size() + 1);
  return CreateFontIndirectA(&font);
}

HFONT CreateListFont(int height, const std::string& face) {
  HFONT font = CreateShiftJisFont(height, face);
  return font ? font : CreateShiftJisFont(height, kFallbackFontFace);
}

HFONT CreateSmallFont() { return CreateShiftJisFont(kSmallFontHeight, kFallbackFontFace); }
