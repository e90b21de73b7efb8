// The version resource of the shipped DLL, read back as Explorer and installers read it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/Version.h"

namespace {

TEST(VersionInfo, FieldsOfTheBuiltDllCarryTheProjectVersion) {
  DWORD ignored = 0;
  std::vector<char> data(GetFileVersionInfoSizeA(TC_PLUGIN_DLL, &ignored));
  ASSERT_FALSE(data.empty()) << TC_PLUGIN_DLL;
  ASSERT_TRUE(GetFileVersionInfoA(TC_PLUGIN_DLL, 0, static_cast<DWORD>(data.size()), data.data()));
  auto query = [&](const std::string& key, UINT least) -> const void* {
    void* value = nullptr;
    UINT length = 0;
    return VerQueryValueA(data.data(), key.c_str(), &value, &length) && length >= least ? value : nullptr;
  };
  // One string table, Japanese in Unicode, which the translation list names.
  const auto* translation = static_cast<const DWORD*>(query("\\VarFileInfo\\Translation", 4));
  ASSERT_NE(translation, nullptr);
  EXPECT_EQ(*translation, static_cast<DWORD>(MAKELONG(0x0411, 1200)));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query("\\", sizeof(VS_FIXEDFILEINFO)));
  ASSERT_NE(fixed, nullptr);
  const DWORD high = MAKELONG(TC_VERSION_MINOR, TC_VERSION_MAJOR);
  const DWORD low = MAKELONG(0, TC_VERSION_PATCH);
  EXPECT_EQ(std::vector<DWORD>({fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                                fixed->dwProductVersionLS, fixed->dwFileType}),
            std::vector<DWORD>({high, low, high, low, static_cast<DWORD>(VFT_DLL)}));
  auto text = [&](const char* name) {
    const void* value = query(std::string("\\StringFileInfo\\041104b0\\") + name, 1);
    return value ? std::string(static_cast<const char*>(value)) : std::string("<missing>");
  };
  // The version the build was configured with, as the top CMake file states it.
  EXPECT_EQ(text("FileVersion"), TC_PROJECT_VERSION);
  EXPECT_EQ(text("ProductVersion"), TC_PROJECT_VERSION);
  EXPECT_EQ(text("OriginalFilename"), "gen_trackcase.dll");
  EXPECT_EQ(text("ProductName"), "gen_trackcase");
  EXPECT_NE(text("FileDescription").find("zip.mp3"), std::string::npos);
  EXPECT_EQ(text("LegalCopyright").rfind("Copyright (C) ", 0), 0u);
}

}  // namespace
