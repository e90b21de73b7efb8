// Real MP3 files made by lame and ffmpeg and tagged by mutagen and ffmpeg (tests/data/media, made
// by tools/make_media_fixtures.sh): our play times against the frames ffprobe's decoder counts,
// our tag texts against mutagen's, all read through one archive as the plug-in reads them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>

#include "media/MediaArchive.h"

namespace {

const std::string kFolder = std::string(TC_SOURCE_DIR) + "/tests/data/media/";

struct Expected {
  std::string file;
  double durationMs = 0;
  double framesMs = 0;
  double frameMs = 0;
  bool hasTag = false;
  std::map<std::string, std::string> values;  // the tag keys as written
};

std::string FromHex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

std::vector<Expected> LoadExpected() {
  std::vector<Expected> all;
  std::ifstream in(kFolder + "expected.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      all.push_back(Expected());
      all.back().file = line.substr(1, line.size() - 2);
      continue;
    }
    const size_t eq = line.find('=');
    if (all.empty() || eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq);
    const std::string value = line.substr(eq + 1);
    Expected& e = all.back();
    if (key == "duration_ms") e.durationMs = std::stod(value);
    else if (key == "frames_ms") e.framesMs = std::stod(value);
    else if (key == "frame_ms") e.frameMs = std::stod(value);
    else if (key == "has_tag") e.hasTag = value == "1";
    else e.values[key] = value;
  }
  return all;
}

// Every fixture as a stored member of one archive, in the order of expected.txt.
class Fixtures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    expected = new std::vector<Expected>(LoadExpected());
    std::vector<ZipEntry> entries;
    for (const Expected& e : *expected) entries.push_back({"disc/" + e.file, ReadFileBytes(kFolder + e.file)});
    zip = ReadArchive(BuildZip(entries)).release();
  }
  static void TearDownTestSuite() {
    delete zip;
    delete expected;
  }
  static std::vector<Expected>* expected;
  static ZipFile* zip;
};
std::vector<Expected>* Fixtures::expected = nullptr;
ZipFile* Fixtures::zip = nullptr;

TEST_F(Fixtures, AllFilesAreThere) {
  ASSERT_GE(expected->size(), 20u);
  ASSERT_EQ(zip->status, StatusPlayable);
  ASSERT_EQ(zip->GetCount(), static_cast<int>(expected->size()));
  for (const Expected& e : *expected) EXPECT_FALSE(ReadFileBytes(kFolder + e.file).empty()) << e.file;
}

TEST_F(Fixtures, PlayTimeWithinTwoFramesOfFfprobesFrameCount) {
  std::map<std::string, double> largest;  // by kind, for the record
  for (size_t i = 0; i < expected->size(); ++i) {
    const Expected& e = (*expected)[i];
    const Mp3File* mp3 = Mp3At(*zip, static_cast<int>(i));
    ASSERT_NE(mp3, nullptr) << e.file;
    EXPECT_GT(mp3->bitrate, 0) << e.file;
    // ffprobe's duration is estimated from the bitrate where no header frame gives it (tags
    // counted as audio), so the count of decoded frames is the reference.
    const double difference = std::fabs(static_cast<double>(mp3->GetPlayTime()) - e.framesMs);
    EXPECT_LE(difference, 2 * e.frameMs) << e.file << ": ours " << mp3->GetPlayTime() << " ms, ffprobe's frames "
                                         << e.framesMs << " ms, its duration " << e.durationMs << " ms";
    const std::string kind = e.file.substr(0, e.file.find('_')) + (e.file.find("vbr") != std::string::npos ? " vbr" : " cbr") +
                             (e.file.find("picture") != std::string::npos ? "+picture" : "");
    largest[kind] = std::max(largest[kind], difference);
  }
  for (const auto& k : largest) std::printf("largest difference %-18s %.3f ms\n", k.first.c_str(), k.second);
  // Each track starts where ffprobe's frames of the members before it end, within two frames of
  // each of them.
  ASSERT_EQ(zip->startTimes.size(), expected->size() + 1);
  double start = 0, slack = 0;
  for (size_t i = 0; i <= expected->size(); ++i) {
    EXPECT_NEAR(zip->startTimes[i], start, slack) << "track " << i;
    if (i == expected->size()) break;
    start += (*expected)[i].framesMs;
    slack += 2 * (*expected)[i].frameMs;
  }
}

TEST_F(Fixtures, TagTextsEqualMutagens) {
  int tagged = 0;
  for (size_t i = 0; i < expected->size(); ++i) {
    const Expected& e = (*expected)[i];
    const File* member = zip->GetMember(static_cast<int>(i));
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(member->HasTag(), e.hasTag) << e.file;
    if (!e.hasTag) continue;
    ++tagged;
    const TagInfo tag = member->GetTag();
    EXPECT_EQ(tag.title, FromHex(e.values.at("title"))) << e.file;
    EXPECT_EQ(tag.artist, FromHex(e.values.at("artist"))) << e.file;
    EXPECT_EQ(tag.album, FromHex(e.values.at("album"))) << e.file;
    EXPECT_EQ(tag.comment, FromHex(e.values.at("comment"))) << e.file;
    EXPECT_EQ(tag.year, std::stoi(e.values.at("year"))) << e.file;
    EXPECT_EQ(tag.genre, std::stoi(e.values.at("genre"))) << e.file;
    if (e.values.count("track")) {
      EXPECT_EQ(tag.trackNumber, std::stoi(e.values.at("track"))) << e.file;
    }
  }
  EXPECT_GE(tagged, 6);
}

TEST_F(Fixtures, JapaneseTitleAsShiftJis) {
  for (size_t i = 0; i < expected->size(); ++i) {
    if ((*expected)[i].file != "tagged_cbr_jp.mp3") continue;
    // 日本語のタイトル in code page 932.
    EXPECT_EQ(zip->GetMember(static_cast<int>(i))->GetVariable("TRACK_NAME"),
              "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x5e\x83\x43\x83\x67\x83\x8b");
    return;
  }
  FAIL() << "tagged_cbr_jp.mp3 is missing";
}

}  // namespace
