// trackcase-info's list-line preview: its options, the INI file it reads and the lines it prints.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/ZipWriter.h"
#include "tools/trackcase_info_listline.h"

namespace {

TEST(ListPreviewOptions, OptionsAndTheirValuesAreTaken) {
  const std::vector<std::string> args = {"--ini", "a.ini", "--normal", "%FILE_PATH%", "--use-id3",
                                         "--compilation", "", "--use-compilation", "--id3", "x", "song.zip.mp3"};
  ListSettingsOptions options;
  size_t index = 0;
  while (index < args.size() && TakeListSettingsOption(args, index, options) == OptionStatus::Taken) {
  }
  EXPECT_EQ(index, args.size() - 1) << "the archive name is not an option";
  EXPECT_EQ(options.iniFile, "a.ini");
  EXPECT_EQ(options.normal, std::optional<std::string>("%FILE_PATH%"));
  EXPECT_EQ(options.compilation, std::optional<std::string>(""));
  EXPECT_EQ(options.id3, std::optional<std::string>("x"));
  EXPECT_TRUE(options.useID3);
  EXPECT_TRUE(options.useCompilation);

  size_t last = 0;
  const std::vector<std::string> missing = {"--normal"};
  EXPECT_EQ(TakeListSettingsOption(missing, last, options), OptionStatus::MissingValue);
  EXPECT_EQ(last, 0u);
}

TEST(ListPreviewIni, ListSectionIsReadLikeTheProfileReader) {
  Settings settings;
  settings.ID3 = "kept";
  const std::string longValue(300, 'n');
  ReadListSection("[Display]\r\nNormal=wrong section\r\n"
                  "[ list ]\r\n  normal =  \"%FILE_PATH% \"  \r\nnormal=second\r\nCompilation=\r\n"
                  "useid3=YES\r\nuseCompilation=yes please\r\n"
                  "[List]\r\nID3=later section\n",
                  settings);
  EXPECT_EQ(settings.Normal, "%FILE_PATH% ");
  EXPECT_EQ(settings.ID3, "kept");
  EXPECT_EQ(settings.Compilation, "");
  EXPECT_EQ(settings.useID3, 1);
  EXPECT_EQ(settings.useCompilation, 0);

  ReadListSection("[List]\nNormal=" + longValue + "\n", settings);
  EXPECT_EQ(settings.Normal, longValue.substr(0, 259));
}

TEST(ListPreviewIni, IniFileThenOptions) {
  const std::string ini = WriteTempFile("preview.ini", "[List]\r\nNormal=N %FILE_NAME%\r\nuseCompilation=Yes\r\n");
  ListSettingsOptions options;
  options.iniFile = ini;
  options.id3 = "I %TRACK_NAME%";
  std::string error;
  ASSERT_TRUE(ApplyListSettings(options, error)) << error;
  EXPECT_EQ(g_settings.Normal, "N %FILE_NAME%");
  EXPECT_EQ(g_settings.ID3, "I %TRACK_NAME%");
  EXPECT_EQ(g_settings.Compilation, settings_defaults::kCompilation);
  EXPECT_EQ(g_settings.useID3, 0);
  EXPECT_EQ(g_settings.useCompilation, 1);

  // Without an INI file the defaults come back.
  ASSERT_TRUE(ApplyListSettings(ListSettingsOptions(), error)) << error;
  EXPECT_EQ(g_settings.Normal, settings_defaults::kNormal);
  EXPECT_EQ(g_settings.useCompilation, 0);

  options.iniFile = ini + ".missing";
  EXPECT_FALSE(ApplyListSettings(options, error));
  EXPECT_NE(error.find(options.iniFile), std::string::npos);
}

TEST(ListPreviewLines, EveryMemberGetsItsLine) {
  ZipFile archive(WriteTempFile("preview.zip.mp3", BuildZip({{"disc1/", ""}, {"disc1/a.txt", "abc"}, {"b.txt", "x"}})));
  archive.Read();
  ASSERT_EQ(archive.GetCount(), 3);
  std::string error;
  ASSERT_TRUE(ApplyListSettings(ListSettingsOptions(), error)) << error;
  std::ostringstream byName;
  PrintListLines(byName, archive);
  EXPECT_EQ(byName.str(), "index\tlist line\n0\t\n1\ta.txt\n2\tb.txt\n");

  ListSettingsOptions options;
  options.normal = "<%FILE_PATH%>";
  ASSERT_TRUE(ApplyListSettings(options, error)) << error;
  std::ostringstream byPath;
  PrintListLines(byPath, archive);
  EXPECT_EQ(byPath.str(), "index\tlist line\n0\t<disc1/>\n1\t<disc1/a.txt>\n2\t<b.txt>\n");
}

}  // namespace
