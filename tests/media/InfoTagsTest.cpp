// The tag table trackcase-info prints after the member rows.
#include <gtest/gtest.h>

#include <sstream>

#include "media/MediaArchive.h"
#include "media/MediaBuilders.h"
#include "tools/trackcase_info_report.h"

namespace {

TEST(InfoTags, TaggedMembersGetARowUntaggedOnesNone) {
  const std::string tagged = build::Tag(build::Frame("TIT2", build::Latin("Song")) + build::Frame("TRCK", build::Latin("2/9"))) +
                             build::CbrFrames(2) + build::Id3v1("", "", "", "", "", 1, 17);
  InfoOptions options;
  options.archivePath = WriteTempFile("info_tags.zip.mp3", BuildZip({{"plain.mp3", build::CbrFrames(2)}, {"b.mp3", tagged}}));
  std::ostringstream out;
  EXPECT_EQ(RunInfo(options, out), 0);
  const std::string text = out.str();
  const std::string header = "\nindex\ttitle\tartist\talbum\tyear\ttrack\tgenre\tcomment\n";
  const size_t table = text.find(header);
  ASSERT_NE(table, std::string::npos) << text;
  EXPECT_EQ(text.substr(table + header.size()), "1\tSong\t\t\t0\t2\t17\t\n");

  std::ostringstream none;
  options.archivePath = WriteTempFile("info_untagged.zip.mp3", BuildZip({{"plain.mp3", build::CbrFrames(2)}}));
  RunInfo(options, none);
  // The section stays, without rows, so that the report keeps its shape.
  const std::string untagged = none.str();
  ASSERT_NE(untagged.find(header), std::string::npos) << untagged;
  EXPECT_EQ(untagged.substr(untagged.find(header) + header.size()), "");
}

}  // namespace
