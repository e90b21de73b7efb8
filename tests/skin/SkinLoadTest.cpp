// Where the skin comes from and when it is loaded again.
#include <gtest/gtest.h>

#include "SkinFixtures.h"
#include "display/Skin.h"
#include "plugin/HostWindowPlayer.h"
#include "resources/ResourceIds.h"

namespace {

using skintest::BitmapSize;
using skintest::FakeHost;
using skintest::Pixels;
using skintest::ScratchFolder;
using skintest::WriteFile;
using skintest::WriteSolidBitmap;

constexpr COLORREF kUnset = 0x01020304;

bool SizeIs(HBITMAP bitmap, int width, int height) {
  const SIZE size = BitmapSize(bitmap);
  return size.cx == width && size.cy == height;
}

// The built-in bitmaps have these sizes; test skins use other sizes so the source is visible.
bool IsBuiltInPledit(HBITMAP b) { return SizeIs(b, 280, 111); }
bool IsBuiltInText(HBITMAP b) { return SizeIs(b, 155, 18); }
bool IsBuiltInPosbar(HBITMAP b) { return SizeIs(b, 307, 10); }

void WriteTestSkin(const std::string& folder, COLORREF tint) {
  WriteSolidBitmap(folder + "\\Pledit.bmp", 31, 21, tint);
  WriteSolidBitmap(folder + "\\text.bmp", 32, 22, tint);
  WriteSolidBitmap(folder + "\\Posbar.bmp", 33, 23, tint);
  WriteFile(folder + "\\Pledit.txt", "[Text]\r\nNormal=#112233\r\n");
}

class SkinLoad : public ::testing::Test {
 protected:
  ListColors Colors() { return ListColors{kUnset, kUnset, kUnset, kUnset}; }
  bool Load(bool force, ListColors* colors = nullptr) {
    return skin.Load(force, &player, GetModuleHandleA(nullptr), ownFolder, colors);
  }

  ScratchFolder scratch;
  FakeHost host;
  HostWindowPlayer player{host.hwnd()};
  Skin skin;
  // Beside a module "...\gen_trackcase.dll" the own folder is "...\gen_trackcase\".
  std::string ownFolder = scratch / "gen_trackcase\\";
};

TEST_F(SkinLoad, OwnFolderComesFirstAndTheHostIsNotAsked) {
  CreateDirectoryA(ownFolder.c_str(), nullptr);
  WriteSolidBitmap(ownFolder + "Pledit.bmp", 31, 21, RGB(200, 0, 0));
  WriteFile(ownFolder + "Pledit.txt", "[Text]\r\nCurrent=#FF8000\r\n");
  host.folder = scratch.path();
  host.identity = "HostSkin";
  ListColors colors = Colors();

  ASSERT_TRUE(Load(true, &colors));
  EXPECT_EQ(host.queries, 0);
  EXPECT_EQ(skin.skinName, ownFolder);
  EXPECT_EQ(skin.skinFolder, ownFolder);
  EXPECT_TRUE(SizeIs(skin.pleditBitmap, 31, 21)) << "read through folder + \"\\Pledit.bmp\"";
  EXPECT_TRUE(IsBuiltInText(skin.textBitmap));
  EXPECT_TRUE(IsBuiltInPosbar(skin.posbarBitmap));
  EXPECT_EQ(colors.current, RGB(0xFF, 0x80, 0x00));
  EXPECT_EQ(colors.normal, RGB(0, 255, 0));
}

TEST_F(SkinLoad, EmptyOwnFolderGivesBuiltInsAndHidesHostChanges) {
  CreateDirectoryA(ownFolder.c_str(), nullptr);
  ScratchFolder hostSkin;
  WriteTestSkin(hostSkin.path(), RGB(0, 0, 200));
  host.folder = hostSkin.path();
  host.identity = "One";
  ListColors colors = Colors();

  ASSERT_TRUE(Load(true, &colors));
  EXPECT_TRUE(IsBuiltInPledit(skin.pleditBitmap));
  EXPECT_TRUE(IsBuiltInText(skin.textBitmap));
  EXPECT_TRUE(IsBuiltInPosbar(skin.posbarBitmap));
  EXPECT_EQ(colors.normal, RGB(0, 255, 0));
  EXPECT_EQ(colors.selectedBg, RGB(0, 0, 255));

  host.identity = "Two";
  EXPECT_FALSE(Load(false));
  EXPECT_EQ(host.queries, 0);
}

TEST_F(SkinLoad, HostSkinIsUsedWithoutAnOwnFolder) {
  ScratchFolder hostSkin;
  WriteTestSkin(hostSkin.path(), RGB(0, 200, 0));
  host.folder = hostSkin.path();
  host.identity = "Green skin";
  ListColors colors = Colors();

  ASSERT_TRUE(Load(true, &colors));
  EXPECT_EQ(host.queries, 1);
  EXPECT_EQ(skin.skinName, "Green skin");
  EXPECT_EQ(skin.skinFolder, hostSkin.path());
  EXPECT_TRUE(SizeIs(skin.pleditBitmap, 31, 21));
  EXPECT_TRUE(SizeIs(skin.textBitmap, 32, 22));
  EXPECT_TRUE(SizeIs(skin.posbarBitmap, 33, 23));
  EXPECT_EQ(colors.normal, RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(colors.current, RGB(255, 255, 255));
}

TEST_F(SkinLoad, MissingFilesFallBackToBuiltInsAndDefaults) {
  ScratchFolder hostSkin;
  host.folder = hostSkin.path();
  host.identity = "Empty";
  ListColors colors = Colors();

  ASSERT_TRUE(Load(true, &colors));
  EXPECT_TRUE(IsBuiltInPledit(skin.pleditBitmap));
  EXPECT_TRUE(IsBuiltInText(skin.textBitmap));
  EXPECT_TRUE(IsBuiltInPosbar(skin.posbarBitmap));
  EXPECT_EQ(colors.normal, RGB(0, 255, 0));
  EXPECT_EQ(colors.normalBg, RGB(0, 0, 0));
}

TEST_F(SkinLoad, DirectoryOrBrokenFileInPlaceOfABitmapFallsBack) {
  ScratchFolder hostSkin;
  WriteTestSkin(hostSkin.path(), RGB(9, 9, 9));
  DeleteFileA((hostSkin / "Pledit.bmp").c_str());
  ASSERT_TRUE(CreateDirectoryA((hostSkin / "Pledit.bmp").c_str(), nullptr));
  WriteFile(hostSkin / "Posbar.bmp", "BM but not a bitmap at all");
  host.folder = hostSkin.path();
  host.identity = "Odd";

  ASSERT_TRUE(Load(true));
  EXPECT_TRUE(IsBuiltInPledit(skin.pleditBitmap));
  EXPECT_TRUE(SizeIs(skin.textBitmap, 32, 22));
  EXPECT_TRUE(IsBuiltInPosbar(skin.posbarBitmap));
}

TEST_F(SkinLoad, ReloadsOnlyWhenForcedOrTheIdentityChanges) {
  ScratchFolder red, blue;
  WriteTestSkin(red.path(), RGB(200, 0, 0));
  WriteTestSkin(blue.path(), RGB(0, 0, 200));
  WriteSolidBitmap(blue / "Pledit.bmp", 41, 11, RGB(0, 0, 200));
  host.folder = red.path();
  host.identity = "Red";
  ASSERT_TRUE(Load(true));
  const HBITMAP first = skin.pleditBitmap;

  ListColors colors = Colors();
  EXPECT_FALSE(Load(false, &colors));
  EXPECT_EQ(skin.pleditBitmap, first);
  EXPECT_EQ(colors.normal, kUnset) << "colours are only handed out on a reload";

  host.folder = blue.path();
  host.identity = "Blue";
  ASSERT_TRUE(Load(false, &colors));
  EXPECT_TRUE(SizeIs(skin.pleditBitmap, 41, 11));
  EXPECT_EQ(skin.skinName, "Blue");
  EXPECT_EQ(colors.normal, RGB(0x11, 0x22, 0x33));

  host.folder = red.path();
  host.identity = "Red";
  ASSERT_TRUE(Load(false));
  EXPECT_TRUE(SizeIs(skin.pleditBitmap, 31, 21));

  // The identity decides, not the folder: a new folder under the same name is not noticed...
  host.folder = blue.path();
  EXPECT_FALSE(Load(false));
  EXPECT_TRUE(SizeIs(skin.pleditBitmap, 31, 21));
  // ...until a forced load.
  EXPECT_TRUE(Load(true));
  EXPECT_TRUE(SizeIs(skin.pleditBitmap, 41, 11));
  // A longer name that starts alike is another skin.
  host.identity = "Red2";
  EXPECT_TRUE(Load(false));
}

TEST_F(SkinLoad, HostWithoutAnswerGivesBuiltInsAndNoReloadLoop) {
  host.returnNull = true;
  host.folder = "";
  ListColors colors = Colors();

  ASSERT_TRUE(Load(true, &colors));
  EXPECT_EQ(skin.skinName, "");
  EXPECT_EQ(skin.skinFolder, "");
  EXPECT_TRUE(IsBuiltInPledit(skin.pleditBitmap));
  EXPECT_TRUE(IsBuiltInText(skin.textBitmap));
  EXPECT_TRUE(IsBuiltInPosbar(skin.posbarBitmap));
  EXPECT_EQ(colors.selectedBg, RGB(0, 0, 255));
  EXPECT_FALSE(Load(false));
}

TEST_F(SkinLoad, HostFillingTheWholeBufferIsCutAtItsEnd) {
  host.fillWholeBuffer = true;
  host.identity = "Long";
  ASSERT_TRUE(Load(true));
  EXPECT_EQ(skin.skinFolder, std::string(260, 'a'));
  EXPECT_TRUE(IsBuiltInPledit(skin.pleditBitmap));
}

TEST_F(SkinLoad, TheTwoHostSkinsLoadAndLookDifferent) {
  std::vector<std::vector<uint32_t>> pictures;
  for (const char* name : {"Classic", "Sakura"}) {
    host.folder = skintest::SourcePath(std::string("host/skins/") + name);
    host.identity = name;
    ListColors colors = Colors();
    ASSERT_TRUE(Load(false, &colors)) << name;
    EXPECT_TRUE(IsBuiltInPledit(skin.pleditBitmap)) << name << ": same size as the built-in one";
    EXPECT_TRUE(IsBuiltInText(skin.textBitmap)) << name;
    EXPECT_TRUE(IsBuiltInPosbar(skin.posbarBitmap)) << name;
    EXPECT_NE(colors.normal, kUnset);
    pictures.push_back(Pixels(skin.pleditBitmap));
  }
  HBITMAP builtIn = skintest::LoadResourceBitmap(IDB_PLEDIT);
  pictures.push_back(Pixels(builtIn));
  DeleteObject(builtIn);
  for (const auto& p : pictures) ASSERT_EQ(p.size(), 280u * 111u);
  EXPECT_NE(pictures[0], pictures[1]);
  EXPECT_NE(pictures[0], pictures[2]);
  EXPECT_NE(pictures[1], pictures[2]);
}

}  // namespace
