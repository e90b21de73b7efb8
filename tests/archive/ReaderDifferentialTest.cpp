// Every archive the tests and the fuzzer have, read the way the plug-in reads it, against the
// report captured for it in tests/data/reads/ (status, every member field, times, tags, list
// lines). The captures were taken before the archive read moved to one handle and retaken, line
// by line checked, for the timing fixes (confirmed sync, frame count, trailing tags) and the
// report's status and method words; any difference is a change of what the user sees.
// TC_WRITE_READS=1 rewrites the captures instead of comparing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "archive/ZipFile.h"
#include "bench/ArchiveFixtures.h"
#include "media/Mp3File.h"
#include "support/MediaBuilders.h"
#include "platform/FileSource.h"
#include "settings/Settings.h"
#include "support/SinglePassRead.h"
#include "support/ZipWriter.h"
#include "tools/trackcase_info_listline.h"
#include "tools/trackcase_info_report.h"

namespace {

namespace fs = std::filesystem;

// The fields trackcase-info leaves out, one line per member.
void PrintAllFields(std::ostream& out, const ZipFile& archive) {
  out << "end\t" << archive.endRecordOffset << " " << archive.diskNumber << " " << archive.directoryDisk << " "
      << archive.entriesOnDisk << " " << archive.directorySize << " " << archive.directoryOffset << " "
      << archive.archiveCommentLength << "\n";
  for (int i = 0; i < archive.GetCount(); ++i) {
    const File& m = *archive.GetMember(i);
    out << "fields\t" << i << " " << m.headerOffset << " " << m.versionMadeBy << " " << m.versionNeeded << " "
        << m.flags << " " << m.crc32 << " " << m.modTime << " " << m.modDate << " " << m.nameLength << " "
        << m.extraLength << " " << m.commentLength << " " << m.diskStart << " " << m.internalAttributes << " "
        << m.externalAttributes << " " << m.localHeaderOffset << " " << m.extra.size() << " [" << m.comment << "]";
    if (const auto* mp3 = dynamic_cast<const Mp3File*>(&m)) {
      out << " mp3 " << mp3->syncOffset << " " << mp3->mpegVersion << " " << mp3->layer << " " << mp3->bitrate << " "
          << mp3->leadingTagSize << " " << mp3->trailingTagSize << " " << mp3->headerFrameCount << " "
          << mp3->sampleRate << " " << mp3->samplesPerFrame << " " << mp3->playTimeOverride;
    }
    out << "\n";
  }
}

std::string Report(const std::string& path) {
  const Settings saved = g_settings;
  g_settings = Settings{};
  g_settings.Normal = settings_defaults::kNormal;
  g_settings.ID3 = settings_defaults::kID3;
  g_settings.Compilation = settings_defaults::kCompilation;
  std::ostringstream info;
  InfoOptions options;
  options.archivePath = path;
  const int exitCode = RunInfo(options, info);
  std::string text = info.str();
  text.erase(0, text.find('\n') + 1);  // the archive's path differs between builds
  std::ostringstream out;
  out << "exit\t" << exitCode << "\n" << text;
  {
    ZipFile archive(path);
    archive.Read();
    PrintAllFields(out, archive);
    g_settings.useID3 = 1;
    g_settings.useCompilation = 1;
    PrintListLines(out, archive);
  }
  g_settings = saved;
  return out.str();
}

// A stored archive around one media fixture, so each tag and frame layout is read as a member.
std::string WrapFixture(const fs::path& mp3) {
  return BuildZip({{mp3.filename().string(), ReadFileBytes(mp3.string())}});
}

// Tags beyond 64 KiB, whose frames are walked rather than read as one block.
std::vector<std::pair<std::string, std::string>> LargeTagArchives() {
  using namespace build;
  const std::string picture = Frame("APIC", std::string(1, '\0') + "image/png" + std::string(3, '\0') +
                                                std::string(200000, '\xFF'));
  const std::string texts = Frame("TIT2", Latin("Title")) + Frame("TPE1", Latin("Artist")) +
                            Frame("TALB", Latin("Album")) + Frame("TYER", Latin("1999")) +
                            Frame("TRCK", Latin("7/9")) + Frame("COMM", CommentLatin("", "note"));
  const std::string audio = CbrFrames(8) + Id3v1("v1 title", "v1 artist", "v1 album", "1980", "v1", 3, 17);
  const std::string picture22 = Frame22("PIC", std::string(1, '\0') + "PNG" + std::string(2, '\0') +
                                                   std::string(100000, 'p'));
  const std::string texts22 = Frame22("TT2", Latin("Old")) + Frame22("TP1", Latin("Band")) +
                              Frame22("COM", CommentLatin("", "c22"));
  const std::string extended = BigEndian32(6) + std::string(6, '\0');  // size field, then its six bytes
  return {
      {"large_picture_first", Tag(picture + texts + std::string(300, '\0')) + audio},
      {"large_texts_first", Tag(texts + picture + Frame("TIT2", Latin("second"))) + audio},
      {"large_repeated_and_unknown", Tag(Frame("TXXX", std::string(70000, 'x')) + Frame("TIT2", Latin("one")) +
                                         Frame("TIT2", Latin("two")) + Frame("TCON", Latin("(17)"))) + audio},
      {"large_v22", Tag(picture22 + texts22, 2) + audio},
      {"large_v22_unknown_frame", Tag(texts22 + Frame22("XXX", std::string(90000, 'u')) + Frame22("TAL", Latin("late")), 2) + audio},
      {"large_extended_header", Tag(extended + texts + picture, 3, 0, 0x40) + audio},
      {"large_unsynchronised", Tag(Unsynchronise(texts + picture), 3, 0, 0x80) + audio},
      {"large_cut_frame", Tag(texts + Frame("APIC", std::string(90000, 'a')).substr(0, 80000)) + audio},
      {"large_claims_beyond_member", Tag(texts + picture).substr(0, 150000)},
      {"large_v24", Tag(texts + picture, 4) + audio},
  };
}

struct Case {
  std::string name;
  std::string path;
};

std::vector<Case> Cases() {
  std::vector<Case> cases;
  const fs::path root = TC_SOURCE_DIR;
  const auto addFolder = [&](const char* folder, const char* prefix, bool wrap) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(root / folder)) {
      const std::string name = entry.path().filename().string();
      const bool archive = entry.path().extension() == ".zip" || name.find(".zip.mp3") != std::string::npos;
      if (wrap ? entry.path().extension() == ".mp3" : (archive || std::string(folder).find("fuzz") == 0))
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      const std::string name = std::string(prefix) + file.filename().string();
      cases.push_back({name, wrap ? WriteTempFile("reads_" + name + ".zip.mp3", WrapFixture(file)) : file.string()});
    }
  };
  addFolder("tests/data/archive", "peer_", false);
  addFolder("tests/data/e2e", "e2e_", false);
  addFolder("samples", "sample_", false);
  addFolder("fuzz/corpus/archive", "fuzz_archive_", false);
  addFolder("fuzz/corpus/promoted_archive", "fuzz_promoted_", false);
  addFolder("tests/data/media", "media_", true);
  for (const auto& [name, tag] : LargeTagArchives()) {
    const std::string bytes = BuildZip({{"a.mp3", tag}, {"b.mp3", build::CbrFrames(3)}});
    cases.push_back({"built_" + name, WriteTempFile("reads_built_" + name + ".zip.mp3", bytes)});
  }
  return cases;
}

TEST(ReaderDifferential, EveryKnownArchiveReadsAsCaptured) {
  const fs::path captures = fs::path(TC_SOURCE_DIR) / "tests/data/reads";
  const bool write = std::getenv("TC_WRITE_READS") != nullptr;
  const std::vector<Case> cases = Cases();
  ASSERT_GE(cases.size(), 40u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string report = Report(c.path);
    const fs::path capture = captures / (c.name + ".txt");
    if (write) {
      fs::create_directories(captures);
      std::ofstream(capture, std::ios::binary) << report;
      continue;
    }
    ASSERT_TRUE(fs::exists(capture));
    EXPECT_EQ(ReadFileBytes(capture.string()), report);
  }
}

FileReadTotals Since(const FileReadTotals& before) {
  const FileReadTotals now = GetFileReadTotals();
  return {now.opens - before.opens, now.reads - before.reads, now.bytes - before.bytes};
}

// The whole open, from the constructor's size to the last member's tags, on one handle and close
// to the bytes a single pass must read; cover pictures are passed over, not read.
TEST(ArchiveReadCost, TwentyMembersOneOpenNearTheSinglePassBytes) {
  // Members with an Info frame (as lame writes) have no bitrate sample to read.
  for (const auto& [picture, info] : {std::pair<size_t, bool>{0, false}, {0, true}, {300000, false}}) {
    SCOPED_TRACE(std::to_string(picture) + (info ? " info" : ""));
    const std::string path = WriteTempFile("cost_" + std::to_string(picture) + (info ? "_info" : "") + ".zip.mp3",
                                           bench::BuildArchive(20, 40, picture, info));
    FileReadTotals before = GetFileReadTotals();
    ASSERT_NE(SinglePassRead(path), 0u);
    const FileReadTotals least = Since(before);

    before = GetFileReadTotals();
    {
      ZipFile archive(path);
      ASSERT_TRUE(archive.Read());
      ASSERT_EQ(archive.GetCount(), 20);
      EXPECT_EQ(archive.GetMember(19)->GetTag().title, "Track 20");
    }
    const FileReadTotals ours = Since(before);
    EXPECT_EQ(ours.opens, 1u);
    EXPECT_LE(ours.reads, least.reads) << ours.reads << " reads against " << least.reads;
    if (picture == 0) {
      EXPECT_LT(ours.bytes * 2, least.bytes * 3) << ours.bytes << " bytes against " << least.bytes;
    } else {
      // The pictures (6 MB of the archive) are skipped; what is read stays near the text around them.
      EXPECT_LT(ours.bytes, 4 * least.bytes) << ours.bytes << " bytes against " << least.bytes;
    }
  }
}

}  // namespace
