// The rows trackcase-info prints.
#include <gtest/gtest.h>

#include <sstream>

#include "ArchiveTestUtil.h"
#include "tools/trackcase_info_report.h"

namespace {

TEST(InfoReport, TimesAsMinutesSecondsMilliseconds) {
  EXPECT_EQ("0:00.000", FormatTime(0));
  EXPECT_EQ("2:59.999", FormatTime(179999));
  EXPECT_EQ("3:00.000", FormatTime(180000));
  EXPECT_EQ("61:01.001", FormatTime(3661001));
  EXPECT_EQ("71582:47.295", FormatTime(0xFFFFFFFFu));
}

TEST(InfoReport, FailedReadShowsStatusAndNoStartTimes) {
  ZipOptions options;
  options.entryCountOverride = 2;
  InfoOptions info;
  info.archivePath = WriteTempFile(TestFileName(), BuildZip({{"a.txt", "x"}}, options));
  std::ostringstream out;
  EXPECT_EQ(1, RunInfo(info, out));
  const std::string text = out.str();
  EXPECT_NE(std::string::npos, text.find("status\t2 StatusBadHeader\n"));
  EXPECT_NE(std::string::npos, text.find("members\t1 of 2\n"));
  EXPECT_NE(std::string::npos, text.find("\n0\ta.txt\t\ta.txt\t0\t1\t1\t35\t0:00.000\t-\n"));
}

}  // namespace
