// What trackcase-info prints and how it ends: rows, statuses in words, exit codes, command line,
// and the conversion of code page 932 texts for a UTF-8 terminal.
#include <gtest/gtest.h>

#include <sstream>

#include "ArchiveTestUtil.h"
#include "tools/trackcase_info_cli.h"
#include "tools/trackcase_info_report.h"
#include "tools/trackcase_info_text.h"

namespace {

TEST(InfoReport, TimesAsMinutesSecondsMilliseconds) {
  EXPECT_EQ("0:00.000", FormatTime(0));
  EXPECT_EQ("2:59.999", FormatTime(179999));
  EXPECT_EQ("3:00.000", FormatTime(180000));
  EXPECT_EQ("61:01.001", FormatTime(3661001));
  EXPECT_EQ("71582:47.295", FormatTime(0xFFFFFFFFu));
}

TEST(InfoReport, FailedReadShowsStatusInWordsAndNoStartTimes) {
  ZipOptions options;
  options.entryCountOverride = 2;
  InfoOptions info;
  info.archivePath = WriteTempFile(TestFileName(), BuildZip({{"a.txt", "x"}}, options));
  std::ostringstream out;
  EXPECT_EQ(12, RunInfo(info, out));
  const std::string text = out.str();
  EXPECT_NE(std::string::npos, text.find("status\t2 damaged ZIP archive (its end record or a header cannot be read)\n"));
  EXPECT_NE(std::string::npos, text.find("members\t1 of 2\n"));
  EXPECT_NE(std::string::npos, text.find("\n0\ta.txt\t\ta.txt\t0 stored\t1\t1\t35\t0:00.000\t-\n"));
}

// One archive per status: the exit code is 0 only for a playable one and differs for every other.
TEST(InfoReport, ExitCodeNamesTheStatus) {
  const struct {
    const char* name;
    std::string bytes;  // empty: no file at all
    int status;
    int exitCode;
  } cases[] = {
      {"missing", "", StatusCannotOpen, 10},
      {"notzip", "ID3 and then MPEG frames", StatusNotZip, 11},
      {"noend", BuildZip({{"a.mp3", "abc"}}).substr(0, 40), StatusBadHeader, 12},
      {"deflated", BuildZip({{"a.mp3", "abc", true}}), StatusNoStoredMember, 13},
      {"stored", BuildZip({{"a.mp3", "abc"}, {"b.txt", "xy", true}}), StatusPlayable, 0},
  };
  for (const auto& c : cases) {
    InfoOptions info;
    info.archivePath = c.bytes.empty() ? TestFileName(std::string("_") + c.name + "_absent.zip.mp3")
                                       : WriteTempFile(TestFileName(std::string("_") + c.name + ".zip.mp3"), c.bytes);
    std::ostringstream out;
    EXPECT_EQ(c.exitCode, RunInfo(info, out)) << c.name;
    EXPECT_NE(std::string::npos, out.str().find("status\t" + std::to_string(c.status) + " " + StatusDescription(c.status) + "\n"))
        << c.name << "\n" << out.str();
  }
}

TEST(InfoReport, CommandLine) {
  using Args = std::vector<std::string>;
  const std::pair<Args, CliAction> actions[] = {
      {{"-h"}, CliAction::Help}, {{"a.zip.mp3", "--help"}, CliAction::Help}, {{"--version"}, CliAction::Version},
      {{}, CliAction::UsageError}, {{"a", "b"}, CliAction::UsageError}, {{"--bogus", "a"}, CliAction::UsageError},
      {{"a", "--normal"}, CliAction::UsageError}};
  for (const auto& [args, action] : actions) EXPECT_EQ(action, ParseCommandLine(args).action) << args.size();

  const CommandLine run = ParseCommandLine(Args{"--raw", "--use-id3", "--normal", "%FILE_PATH%", "x.zip.mp3"});
  EXPECT_EQ(CliAction::Run, run.action);
  EXPECT_TRUE(run.raw);
  EXPECT_TRUE(run.list.useID3);
  EXPECT_EQ("%FILE_PATH%", run.list.normal.value_or(""));
  EXPECT_EQ("x.zip.mp3", run.info.archivePath);
  EXPECT_FALSE(ParseCommandLine(Args{"x.zip.mp3"}).raw);
}

TEST(InfoReport, Cp932TextsBecomeUtf8) {
  EXPECT_EQ("abc 1.mp3", Cp932ToUtf8("abc 1.mp3"));
  EXPECT_EQ(u8"テスト", Cp932ToUtf8("\x83\x65\x83\x58\x83\x67"));
  EXPECT_EQ(u8"表示", Cp932ToUtf8("\x95\x5C\x8E\xA6"));   // 0x5C as a trail byte stays inside the character
  EXPECT_EQ(u8"ｱ", Cp932ToUtf8("\xB1"));                  // half-width katakana, one byte
#ifndef _WIN32
  EXPECT_EQ("ab?", Cp932ToUtf8("ab\x83"));              // a lead byte cut off at the end
#endif

  SetTextOutput(TextOutput::Convert);
  const std::string shown = Shown("\x83\x65\x83\x58\x83\x67");
  SetTextOutput(TextOutput::Raw);
  EXPECT_EQ("\x83\x65\x83\x58\x83\x67", Shown("\x83\x65\x83\x58\x83\x67"));
#ifndef _WIN32
  EXPECT_EQ(u8"テスト", shown);
#endif
}

}  // namespace
