// The version resource of the shipped DLL, read back as Explorer and installers read it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/Version.h"

namespace {

struct VersionBlock {
  std::vector<char> data;
  std::string language;  // "041104b0": the string table's language and code page

  bool Load(const char* path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return false;
    data.resize(size);
    if (!GetFileVersionInfoA(path, 0, size, data.data())) return false;
    struct Translation {
      WORD language;
      WORD codePage;
    };
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &value, &length) || length < sizeof(Translation)) {
      return false;
    }
    const Translation* t = static_cast<const Translation*>(value);
    char text[16];
    wsprintfA(text, "%04x%04x", t->language, t->codePage);
    language = text;
    return true;
  }

  std::string String(const char* name) {
    const std::string key = "\\StringFileInfo\\" + language + "\\" + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), key.c_str(), &value, &length) || length == 0) return "<missing>";
    return static_cast<const char*>(value);
  }
};

TEST(VersionInfo, FieldsOfTheBuiltDllCarryTheProjectVersion) {
  VersionBlock block;
  ASSERT_TRUE(block.Load(TC_PLUGIN_DLL)) << TC_PLUGIN_DLL;
  EXPECT_EQ(block.language, "041104b0");

  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data.data(), "\\", &value, &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  const VS_FIXEDFILEINFO* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const DWORD high = MAKELONG(TC_VERSION_MINOR, TC_VERSION_MAJOR);
  const DWORD low = MAKELONG(0, TC_VERSION_PATCH);
  EXPECT_EQ(fixed->dwFileVersionMS, high);
  EXPECT_EQ(fixed->dwFileVersionLS, low);
  EXPECT_EQ(fixed->dwProductVersionMS, high);
  EXPECT_EQ(fixed->dwProductVersionLS, low);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

  // The version the build was configured with, as the top CMake file states it.
  EXPECT_EQ(block.String("FileVersion"), TC_PROJECT_VERSION);
  EXPECT_EQ(block.String("ProductVersion"), TC_PROJECT_VERSION);
  EXPECT_EQ(std::string(TC_VERSION_TEXT), TC_PROJECT_VERSION);
  EXPECT_EQ(block.String("OriginalFilename"), "gen_trackcase.dll");
  EXPECT_EQ(block.String("ProductName"), "gen_trackcase");
  EXPECT_NE(block.String("FileDescription").find("zip.mp3"), std::string::npos);
  EXPECT_EQ(block.String("LegalCopyright").rfind("Copyright (C) ", 0), 0u);
}

}  // namespace
