// The plug-in's one settings record; every field is named after its INI key.
#pragma once
#include <cstdint>
#include <string>

struct Settings {
  // [Display]
  int32_t ShowOnlyZip = 0;
  int32_t ShowOnlyUncompressedZip = 0;
  int32_t CountUp = 0;
  int32_t compact = 0;
  int32_t timebar = 1;
  std::string font;
  // [List]
  std::string Normal;
  std::string ID3;
  std::string Compilation;
  int32_t useID3 = 0;
  int32_t useCompilation = 0;
  // [pos]
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// The process-wide record. Until LoadSettings runs it holds the values above; LoadSettings
// applies the documented defaults.
extern Settings g_settings;

// Built-in defaults, applied by LoadSettings for missing keys.
namespace settings_defaults {
constexpr const char* kNormal = "%FILE_NAME%";
constexpr const char* kID3 = "%TRACK_NUMBER2%. %TRACK_NAME%";
constexpr const char* kCompilation = "%TRACK_NUMBER2%. (%ARTIST_NAME%)%TRACK_NAME%";
constexpr int32_t kX = 50;
constexpr int32_t kY = 30;
constexpr int32_t kWidth = 5;
constexpr int32_t kHeight = 3;
// Largest sizes, taken from the file and reached by a resize drag: far from overflowing the pixel
// sizes (150 + 25 x width, 58 + 29 x height).
constexpr int32_t kMaxWidth = 400;
constexpr int32_t kMaxHeight = 400;
}  // namespace settings_defaults
