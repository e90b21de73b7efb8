// Extraction beside the archive and onto the desktop, the MiniBrowser copy, and the guards that
// keep an existing file whole and a hostile member name inside the target folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>

#include "../controller/HostDoubles.h"
#include "archive/File.h"
#include "controller/ArchiveController.h"
#include "extract/MemberCopy.h"
#include "extract/SafeFileName.h"
#include "settings/Settings.h"
#include "support/ZipWriter.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const bool kQuickWindows = UseUnmanagedWindowsUnderWine();

// Bytes that differ at every position, so a shifted or cut copy never matches by chance.
std::string Pattern(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  uint32_t state = seed * 2654435761u + 1;
  for (char& c : bytes) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(state >> 24);
  }
  return bytes;
}

// Names in the ANSI code page (std::filesystem would hand them over as UTF-8).
std::vector<std::string> FolderListing(const fs::path& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder.string() + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    return names;
  }
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") {
      names.push_back(name);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// True once no file can be created in `folder` (polled: Wine does not wait for Unix programs).
bool BecomesUnwritable(const std::string& folder) {
  const std::string probe = folder + "\\probe";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      return true;
    }
    CloseHandle(file);
    DeleteFileA(probe.c_str());
    Sleep(50);
  }
  return false;
}

// Runs a program of the system Wine runs on (chattr), for a folder that even root cannot write.
bool RunUnixCommand(std::string commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return true;
}

TEST(SafeFileName, NamesAsWritten) {
  const std::pair<std::string, std::string> cases[] = {
      // Ordinary names stay, also ones that only begin like a device.
      {"01 intro.mp3", "01 intro.mp3"}, {"track (live) [2].mp3", "track (live) [2].mp3"},
      {"CONSOLE.mp3", "CONSOLE.mp3"}, {"COM.mp3", "COM.mp3"}, {"", ""},
      // Stream separators, controls and wildcards become '_', as does a separator at the start.
      {"a.mp3:hidden", "a.mp3_hidden"}, {"C:evil.mp3", "C_evil.mp3"}, {"a\x01\tb\x7F.mp3", "a__b_.mp3"},
      {"a<b>c\"d|e?f*g.mp3", "a_b_c_d_e_f_g.mp3"}, {"/01.mp3", "_01.mp3"},
      // Dots and spaces at the end cannot name a folder.
      {"..", "__"}, {".", "_"}, {"song.mp3. ", "song.mp3__"}, {".hidden", ".hidden"},
      // Device names get a prefix whatever their case or extension.
      {"CON", "_CON"}, {"nul.mp3", "_nul.mp3"}, {"Com1.tar.mp3", "_Com1.tar.mp3"}, {"lpt9 .mp3", "_lpt9 .mp3"},
      {"aux", "_aux"}, {"conout$", "_conout$"},
      // "\x83\x5C" and "\x83\x7C" keep their trail bytes, which are '\' and '|' only on their own; a
      // lead byte without a trail byte is broken text, and a ':' after it stays a colon.
      {"\x83\x5C.mp3", "\x83\x5C.mp3"}, {"\x83\x7C\x95\x5C.mp3", "\x83\x7C\x95\x5C.mp3"}, {"a\x83", "a_"},
      {"\x83:x", "__x"},
      // Half-width katakana are single bytes.
      {"\xB1\xB2.mp3", "\xB1\xB2.mp3"},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(MakeSafeFileName(name), expected) << name;
}

// A member copied straight from a hand-made record, without the archive reader.
class MemberCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = TestTempFolder() / "copy";
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  std::unique_ptr<File> MemberOf(const std::string& archiveBytes, uint32_t offset, uint32_t size) {
    const std::string path = (folder / "source.bin").string();
    std::ofstream(path, std::ios::binary).write(archiveBytes.data(), archiveBytes.size());
    auto member = std::make_unique<File>(path, 0);
    member->dataOffset = offset;
    member->compressedSize = size;
    member->uncompressedSize = size;
    return member;
  }
  fs::path folder;
};

TEST_F(MemberCopyTest, CopiesAcrossEveryChunkBoundary) {
  const std::string source = Pattern(3 * kCopyChunkSize + 50, 1);
  for (uint32_t size : {0u, 1u, kCopyChunkSize - 1, kCopyChunkSize, kCopyChunkSize + 1, 2 * kCopyChunkSize,
                        3 * kCopyChunkSize + 40}) {
    const std::string output = (folder / ("out" + std::to_string(size))).string();
    ASSERT_TRUE(CopyMemberToFile(*MemberOf(source, 7, size), output)) << size;
    EXPECT_EQ(ReadFileBytes(output), source.substr(7, size)) << size;
  }
}

TEST_F(MemberCopyTest, MemberCutShortByTheEndOfTheArchiveLeavesTheOldFileWhole) {
  const std::string output = (folder / "keep.mp3").string();
  std::ofstream(output, std::ios::binary) << "old contents";
  EXPECT_FALSE(CopyMemberToFile(*MemberOf(Pattern(10000, 2), 100, 20000), output));
  EXPECT_EQ(ReadFileBytes(output), "old contents");
  EXPECT_THAT(FolderListing(folder), ElementsAre("keep.mp3", "source.bin"));
}

TEST_F(MemberCopyTest, MissingArchiveOrFolderWritesNothing) {
  auto member = MemberOf("abc", 0, 3);
  member->archivePath = (folder / "gone.bin").string();
  EXPECT_FALSE(CopyMemberToFile(*member, (folder / "x.mp3").string()));
  EXPECT_FALSE(CopyMemberToFile(*MemberOf("abc", 0, 3), (folder / "no such folder" / "x.mp3").string()));
  EXPECT_THAT(FolderListing(folder), ElementsAre("source.bin"));
}

// Extraction through the controller, with the archive in a folder of its own.
class ExtractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_settings = Settings();
    g_settings.Normal = settings_defaults::kNormal;
    folder = TestTempFolder() / "extract";
    fs::remove_all(folder);
    fs::create_directories(folder);
    ArchiveController::Destroy();
    controller = &ArchiveController::Instance();
    controller->SetWindow(&display);
    controller->SetHost(&hostPlayer);
  }
  void TearDown() override { ArchiveController::Destroy(); }

  // Writes the archive and lets the controller open it.
  std::string Open(const std::vector<ZipEntry>& entries, const std::string& name = "album.zip.mp3") {
    const std::string path = (folder / name).string();
    const std::string bytes = BuildZip(entries);
    std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
    controller->Update(path, 0);
    return path;
  }
  std::string Beside(const std::string& fileName) const { return ReadFileBytes((folder / fileName).string()); }

  TestHost host;
  RecordingDisplay display{host.hwnd};
  HostWindowPlayer hostPlayer{host.hwnd};
  ArchiveController* controller = nullptr;
  fs::path folder;
};

TEST_F(ExtractTest, MemberLandsBesideTheArchiveByteForByteUnderItsFileNameAlone) {
  const std::string track = Mp3Member(625) + Pattern(0, 0);  // 10000 bytes
  ASSERT_EQ(track.size(), 10000u);
  const std::string sheet = "FILE \"a.mp3\" MP3\r\n";
  Open({{"disc1/01 first.mp3", track}, {"empty.mp3", ""}, {"album.cue", sheet}});
  controller->ExtractTrack(0, ExtractTarget::BesideArchive);
  controller->ExtractTrack(1, ExtractTarget::BesideArchive);
  controller->ExtractTrack(2, ExtractTarget::BesideArchive);
  EXPECT_EQ(Beside("01 first.mp3"), track);
  EXPECT_TRUE(fs::exists(folder / "empty.mp3"));
  EXPECT_EQ(fs::file_size(folder / "empty.mp3"), 0u);
  EXPECT_EQ(Beside("album.cue"), sheet);
  EXPECT_THAT(FolderListing(folder), ElementsAre("01 first.mp3", "album.cue", "album.zip.mp3", "empty.mp3"));
}

TEST_F(ExtractTest, SameFileNameFromTwoFoldersReplacesTheFirstCopy) {
  Open({{"cd1/01.mp3", Pattern(5000, 3)}, {"cd2/01.mp3", Pattern(7000, 4)}});
  controller->ExtractTrack(0, ExtractTarget::BesideArchive);
  controller->ExtractTrack(1, ExtractTarget::BesideArchive);
  EXPECT_EQ(Beside("01.mp3"), Pattern(7000, 4));
}

TEST_F(ExtractTest, NothingHappensOutsideAPlayableArchive) {
  ZipEntry deflated{"a.mp3", Pattern(400, 5)};
  deflated.compressed = true;
  Open({deflated});
  EXPECT_EQ(controller->ExtractTrack(0, ExtractTarget::BesideArchive), 0);
  EXPECT_EQ(controller->CopyTrack(0, (folder / "a.mp3").string()), 0);
  controller->OpenInMiniBrowser(0);
  EXPECT_THAT(host.calls, IsEmpty());
  EXPECT_THAT(FolderListing(folder), ElementsAre("album.zip.mp3"));
}

TEST_F(ExtractTest, IndexOutsideTheListDoesNothing) {
  Open({{"a.mp3", Pattern(100, 6)}});
  EXPECT_EQ(controller->ExtractTrack(1, ExtractTarget::BesideArchive), 0);
  EXPECT_EQ(controller->ExtractTrack(-1, ExtractTarget::BesideArchive), 0);
  EXPECT_EQ(controller->CopyTrack(5, (folder / "x").string()), 0);
  EXPECT_THAT(FolderListing(folder), ElementsAre("album.zip.mp3"));
}

TEST_F(ExtractTest, VanishedArchiveLeavesTheEarlierCopyIntact) {
  const std::string archive = Open({{"a.mp3", Pattern(9000, 7)}});
  controller->ExtractTrack(0, ExtractTarget::BesideArchive);
  fs::remove(archive);
  controller->ExtractTrack(0, ExtractTarget::BesideArchive);
  EXPECT_EQ(Beside("a.mp3"), Pattern(9000, 7));
  EXPECT_THAT(FolderListing(folder), ElementsAre("a.mp3"));
}

TEST_F(ExtractTest, ReadOnlyFolderLeavesNothingAndLosesNothing) {
  // A folder on the Unix side (drive Z:), where chattr can make it unwritable even for root.
  const std::string unixFolder = std::string(TC_BINARY_DIR) + "/readonly_" + std::to_string(GetCurrentProcessId());
  folder = "Z:" + unixFolder;
  fs::remove_all(folder);
  fs::create_directories(folder);
  Open({{"a.mp3", Pattern(3000, 8)}, {"b.mp3", Pattern(3000, 9)}});
  std::ofstream((folder / "a.mp3").string(), std::ios::binary) << "keep me";
  if (!RunUnixCommand("/usr/bin/chattr +i " + unixFolder) || !BecomesUnwritable(folder.string())) {
    RunUnixCommand("/usr/bin/chattr -i " + unixFolder);
    fs::remove_all(folder);
    GTEST_SKIP() << "no way to make a folder read-only here";
  }
  const auto before = FolderListing(folder);
  controller->ExtractTrack(0, ExtractTarget::BesideArchive);
  controller->ExtractTrack(1, ExtractTarget::BesideArchive);
  const auto listing = FolderListing(folder);
  const std::string keptBytes = Beside("a.mp3");
  RunUnixCommand("/usr/bin/chattr -i " + unixFolder);
  std::error_code ignored;
  for (int attempt = 0; attempt < 100 && fs::exists(folder) && fs::remove_all(folder, ignored) == 0; ++attempt) {
    Sleep(50);
  }
  EXPECT_EQ(listing, before);
  EXPECT_THAT(listing, ::testing::IsSupersetOf({"a.mp3", "album.zip.mp3"}));
  EXPECT_EQ(keptBytes, "keep me");
  EXPECT_THAT(host.calls, IsEmpty());
}

// Read-only targets are tested end to end; hidden or system alone protects, a plain file does not.
TEST_F(ExtractTest, HiddenOrSystemFileOrFolderTargetIsNeverReplaced) {
  Open({{"sub/a.mp3", Pattern(5000, 14)}});
  const std::string target = (folder / "a.mp3").string();
  const std::pair<DWORD, bool> cases[] = {  // the target's attributes (0: a folder), replaced
      {FILE_ATTRIBUTE_NORMAL, true}, {FILE_ATTRIBUTE_HIDDEN, false}, {FILE_ATTRIBUTE_SYSTEM, false},
      {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false}, {0, false}};
  for (const auto& [attributes, replaced] : cases) {
    if (attributes == 0) {
      ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
    } else {
      std::ofstream(target, std::ios::binary) << "old";
      ASSERT_TRUE(SetFileAttributesA(target.c_str(), attributes));
    }
    controller->ExtractTrack(0, ExtractTarget::BesideArchive);
    const DWORD after = GetFileAttributesA(target.c_str());
    EXPECT_THAT(FolderListing(folder), ElementsAre("a.mp3", "album.zip.mp3")) << attributes;
    if (attributes == 0) {
      EXPECT_TRUE(fs::is_directory(target) && fs::is_empty(target));
      RemoveDirectoryA(target.c_str());
      continue;
    }
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(target), replaced ? Pattern(5000, 14) : "old") << attributes;
    if (!replaced) {
      EXPECT_EQ(after & attributes, attributes) << attributes;
    }
    DeleteFileA(target.c_str());
  }
}

// Never a target: the archive named by its short name (so the member's name differs from it as
// text, yet names the same file), nor the MiniBrowser copy in use, in any letter case.
TEST_F(ExtractTest, TheArchiveAndTheMiniBrowserCopyInUseAreNeverReplaced) {
  const std::string bytes = BuildZip({{"album.zip.mp3", Pattern(6000, 15)}, {"b.mp3", Pattern(200, 17)}});
  const std::string path = (folder / "album.zip.mp3").string();
  std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
  char shortPath[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(path.c_str(), shortPath, MAX_PATH), 0u);
  ASSERT_NE(lstrcmpiA(shortPath, path.c_str()), 0) << shortPath;
  controller->Update(shortPath, 0);
  controller->ExtractTrack(0, ExtractTarget::BesideArchive);
  EXPECT_TRUE(ReadFileBytes(path) == bytes);
  EXPECT_THAT(FolderListing(folder), ElementsAre("album.zip.mp3"));
  controller->OpenInMiniBrowser(0);
  std::string inUse = controller->TempCopyPath();
  controller->CopyTrack(1, inUse);
  CharUpperBuffA(&inUse[0], static_cast<DWORD>(inUse.size()));
  controller->CopyTrack(1, inUse);
  EXPECT_TRUE(ReadFileBytes(controller->TempCopyPath()) == Pattern(6000, 15));
}

TEST_F(ExtractTest, HostileNamesStayInsideTheFolder) {
  fs::create_directories(folder / "inner");
  const std::string path = (folder / "inner" / "album.zip.mp3").string();
  const std::string bytes = BuildZip({{"x/CON.mp3", "device"},
                                      {"x/a.mp3:stream", "stream"},
                                      {"..", "dots"},
                                      {std::string("x/\x83\x5C.mp3"), "so"},
                                      {"dir/", ""}});
  std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
  controller->Update(path, 0);
  for (int i = 0; i < 5; ++i) {
    controller->ExtractTrack(i, ExtractTarget::BesideArchive);
  }
  const fs::path inner = folder / "inner";
  EXPECT_EQ(ReadFileBytes((inner / "_CON.mp3").string()), "device");
  EXPECT_EQ(ReadFileBytes((inner / "a.mp3_stream").string()), "stream");
  EXPECT_EQ(ReadFileBytes((inner / "__").string()), "dots");
  EXPECT_EQ(ReadFileBytes(inner.string() + "\\\x83\x5C.mp3"), "so");
  EXPECT_THAT(FolderListing(inner), ElementsAre("_CON.mp3", "__", "a.mp3_stream", "album.zip.mp3",
                                                std::string("\x83\x5C.mp3")));
  EXPECT_THAT(FolderListing(folder), ElementsAre("inner"));
}

TEST_F(ExtractTest, DesktopTargetIsTheUsersDesktopFolder) {
  char desktop[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, TRUE));
  const std::string name = "tc_extract_" + std::to_string(GetCurrentProcessId()) + ".mp3";
  Open({{"sub/" + name, Pattern(4500, 10)}});
  controller->ExtractTrack(0, ExtractTarget::Desktop);
  const std::string target = std::string(desktop) + "\\" + name;
  EXPECT_EQ(ReadFileBytes(target), Pattern(4500, 10));
  DeleteFileA(target.c_str());
}

TEST_F(ExtractTest, MiniBrowserKeepsOnlyTheLatestCopyUntilShutDown) {
  Open({{"a.mp3", Pattern(100, 11)}, {"b.mp3", Pattern(200, 12)}, {"c.mp3", Pattern(300, 13)}});
  std::vector<std::string> paths;
  for (int i = 0; i < 3; ++i) {
    controller->OpenInMiniBrowser(i);
    paths.push_back(controller->TempCopyPath());
  }
  EXPECT_FALSE(fs::exists(paths[0]));
  EXPECT_FALSE(fs::exists(paths[1]));
  EXPECT_EQ(ReadFileBytes(paths[2]), Pattern(300, 13));
  EXPECT_NE(paths[2].find("zip"), std::string::npos);
  EXPECT_THAT(host.calls, ElementsAre("browser " + paths[0], "browser 0", "browser " + paths[1], "browser 0",
                                      "browser " + paths[2], "browser 0"));
  // No stray file of the copy routine beside the three.
  const fs::path tempFolder = fs::path(paths[2]).parent_path();
  for (const auto& entry : fs::directory_iterator(tempFolder)) {
    EXPECT_NE(entry.path().filename().string().compare(0, 3, "ztc"), 0) << entry.path();
  }
  ArchiveController::Destroy();
  EXPECT_FALSE(fs::exists(paths[2]));
}

}  // namespace
