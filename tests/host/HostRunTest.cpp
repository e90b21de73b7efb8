// The host run as a program with a script, with the probe plug-in loaded from its Plugins
// folder: what the host calls, how it answers, its clock, its skins, captures and menus.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/HostScript.h"

namespace {

const std::string kStage = HOST_TEST_STAGE;
const std::string kData = std::string(TC_SOURCE_DIR) + "/tests/host/data";

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

using hostscript::Bmp;
using hostscript::Lines;
using hostscript::ReadBmp;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Position of the first line containing part, or -1.
int LineOf(const std::vector<std::string>& lines, const std::string& part) {
  for (size_t i = 0; i < lines.size(); ++i)
    if (Contains(lines[i], part)) return static_cast<int>(i);
  return -1;
}

struct HostResult {
  DWORD exitCode = 0xFFFFFFFF;
  std::string log;    // the host's message record
  std::string probe;  // what the probe plug-in wrote
};

class HostRun : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Two skins of the tests' own, told apart by their playlist background.
    CreateDirectoryA((kStage + "/Skins").c_str(), nullptr);
    CreateDirectoryA((kStage + "/Skins/Alpha").c_str(), nullptr);
    CreateDirectoryA((kStage + "/Skins/Beta").c_str(), nullptr);
    WriteFile(kStage + "/Skins/Alpha/Pledit.txt", "[Text]\r\nNormalBG=#102030\r\n");
    WriteFile(kStage + "/Skins/Beta/Pledit.txt", "[Text]\r\nNormalBG=#C0FFEE\r\n");
    WriteFile(kStage + "/trackcase-host.ini", "[Winamp]\r\npe_fontsize=12\r\nsnap=1\r\nsnaplen=10\r\n");
  }

  HostResult RunScript(const std::string& name, const std::string& script) {
    DeleteFileA((kStage + "/Plugins/gen_testprobe.txt").c_str());
    const hostscript::Run host = hostscript::RunHostScript(kStage, name, script, 60000);
    HostResult run;
    run.exitCode = host.exitCode;
    run.log = host.log;
    run.probe = ReadFileBytes(kStage + "/Plugins/gen_testprobe.txt");
    return run;
  }
};

TEST_F(HostRun, CallsThePluginsFunctionsInOrderWithItsHandles) {
  // Configuration through the script, then through the host's own menu.
  const HostResult r = RunScript("lifecycle",
                                 "dialog-choose 1\nconfig\ndialog-choose 2\nmenu-choose 400\nrclick main 10 10\nquit\n");
  EXPECT_EQ(r.exitCode, 0u) << r.log;
  const auto p = Lines(r.probe);
  ASSERT_GE(p.size(), 6u) << r.probe;
  // The record was filled with the main window and the DLL's own module before start-up, and
  // the host's other windows already existed.
  EXPECT_EQ(p[0], "init 1 parent=Winamp v1.x instance=1 pe=1");
  EXPECT_EQ(p[1], "config 2");
  EXPECT_EQ(p[2], "config result 1");
  EXPECT_EQ(p[3], "config 3");
  EXPECT_EQ(p[4], "config result 2");
  EXPECT_EQ(p[5], "quit 4");
  // Unloaded after shut-down, not before.
  ASSERT_EQ(p.size(), 7u) << r.probe;
  EXPECT_EQ(p[6], "detach");
  EXPECT_TRUE(Contains(r.log, "# plug-in gen_testprobe.dll: loaded \"Host test probe\""));
}

TEST_F(HostRun, AnswersEveryQueryFromItsOwnState) {
  const HostResult r = RunScript("queries",
                          "skin Beta\n"
                          "load " + kData + "/c8.mp3 " + kData + "/archive.zip.mp3\n"
                          "select 1\nplay\nadvance 1500 0\nkey plugin Q\n"
                          "pause\nkey plugin Q\nstop\nkey plugin Q\nquit\n");
  EXPECT_EQ(r.exitCode, 0u) << r.log;
  const auto p = Lines(r.probe);
  const int first = LineOf(p, "key 81");
  ASSERT_GE(first, 0) << r.probe;
  ASSERT_GE(p.size(), static_cast<size_t>(first) + 3 * 9);
  // Playing entry 1 of two at 1.5 s; the archive is 2672 ms long by its frames.
  EXPECT_EQ(p[first + 1], "query 104 1");
  EXPECT_EQ(p[first + 2], "query 105 1500");
  EXPECT_EQ(p[first + 3], "query 105.2 2672");
  EXPECT_EQ(p[first + 4], "query 125 1");
  EXPECT_TRUE(Contains(p[first + 5], "query 211 Z:\\")) << p[first + 5];
  EXPECT_TRUE(Contains(p[first + 5], "\\tests\\host\\data\\archive.zip.mp3")) << p[first + 5];
  EXPECT_EQ(p[first + 6], "query 211.bad (null)");
  EXPECT_EQ(p[first + 7], "query 211.neg (null)");
  EXPECT_TRUE(Contains(p[first + 8], "\\Skins\\Beta|Beta")) << p[first + 8];
  // Paused: state 3, the position kept.
  EXPECT_EQ(p[first + 10], "query 104 3");
  EXPECT_EQ(p[first + 11], "query 105 1500");
  // Stopped: state 0, no position.
  EXPECT_EQ(p[first + 19], "query 104 0");
  EXPECT_EQ(p[first + 20], "query 105 -1");
  // The record names each message with its answer and the file name text.
  EXPECT_TRUE(Contains(r.log, " 1500 user 104 0 1\n")) << r.log;
  EXPECT_TRUE(Contains(r.log, " user 211 1 1 \"Z:\\")) << r.log;
  EXPECT_TRUE(Contains(r.log, " user 211 1000 0\n")) << r.log;
  EXPECT_TRUE(Contains(r.log, "\\Skins\\Beta\" \"Beta\"\n")) << r.log;
}

TEST_F(HostRun, MeasuresFilesByTheirFrames) {
  const HostResult r = RunScript("measure", "load " + kData + "/archive.zip.mp3 " + kData + "/a44.mp3\nexpect length 2672\nquit\n");
  EXPECT_EQ(r.exitCode, 0u) << r.log;
  EXPECT_TRUE(Contains(r.log, "# entry 0 frames=85 length_ms=2672 ")) << r.log;
  EXPECT_TRUE(Contains(r.log, "# entry 1 frames=24 length_ms=626 ")) << r.log;
}

TEST_F(HostRun, SeeksPlaysPausesAndStopsOnThePluginsCommands) {
  const HostResult r = RunScript("transport",
                          "load " + kData + "/archive.zip.mp3 " + kData + "/a44.mp3\n"
                          "key plugin 2\n"                       // stopped: the seek is refused
                          "expect position 0\n"
                          "key plugin P\nexpect state playing\n"  // command 40045
                          "key plugin 2\nexpect position 2000\n"
                          "key plugin A\nexpect state paused\n"   // 40046
                          "key plugin A\nexpect state playing\n"
                          "advance 672 0\nexpect entry 1\nexpect position 0\n"  // the end moves on
                          "advance 626 0\nexpect state stopped\n"                // after the last: stop
                          "select 0\nplay\nadvance 100 0\n"
                          "key plugin T\nexpect state stopped\n"  // 40047
                          "quit\n");
  EXPECT_EQ(r.exitCode, 0u) << r.log;
  EXPECT_TRUE(Contains(r.probe, "seek 2000 -> -1\n")) << r.probe;
  EXPECT_TRUE(Contains(r.probe, "seek 2000 -> 0\n")) << r.probe;
  EXPECT_TRUE(Contains(r.log, " command 40045\n"));
  EXPECT_TRUE(Contains(r.log, " command 40046\n"));
  EXPECT_TRUE(Contains(r.log, " command 40047\n"));
  EXPECT_TRUE(Contains(r.log, " user 106 2000 0\n")) << r.log;
}

TEST_F(HostRun, AFailedExpectationFailsTheRun) {
  const HostResult r = RunScript("failing", "load " + kData + "/c8.mp3\nexpect length 791\nexpect state playing\n"
                                 "expect at plugin 600,1\nquit\n");
  EXPECT_EQ(r.exitCode, 1u);
  EXPECT_TRUE(Contains(r.log, "expected length 791, got 792")) << r.log;
  EXPECT_TRUE(Contains(r.log, "expected state playing, got stopped")) << r.log;
  EXPECT_TRUE(Contains(r.log, "expected at plugin 600,1, got 600,0")) << r.log;
}

TEST_F(HostRun, WindowPlacesCanBeExpected) {
  const HostResult r = RunScript("places",
                                 "expect at main 0,0\nexpect size main 275,116\nexpect at eq 0,116\n"
                                 "expect at pe 0,232\nexpect size pe 275,232\nexpect at mb 275,116\n"
                                 "move plugin 300 200\nexpect at plugin 300,200\nexpect size plugin 100,60\nquit\n");
  EXPECT_EQ(r.exitCode, 0u) << r.log;
}

TEST_F(HostRun, KeysReachTheWindowsTheyAreSentTo) {
  const HostResult r = RunScript("keys",
                          "load " + kData + "/c8.mp3 " + kData + "/b22.mp3\n"
                          "key pe period\nexpect entry 1\n"
                          "key eq comma\nexpect entry 0\n"
                          "key main x\nexpect state playing\n"
                          "syskey plugin m\nkey plugin period\n"
                          "quit\n");
  EXPECT_EQ(r.exitCode, 0u) << r.log;
  EXPECT_TRUE(Contains(r.log, "# host key 190 in Winamp PE\n")) << r.log;
  EXPECT_TRUE(Contains(r.log, "# host key 188 in Winamp EQ\n")) << r.log;
  EXPECT_TRUE(Contains(r.probe, "syskey 77 alt=1\n")) << r.probe;
  EXPECT_TRUE(Contains(r.probe, "key 190\n")) << r.probe;
}

TEST_F(HostRun, MouseCommandsArriveAtTheirPoints) {
  const HostResult r = RunScript("mouse",
                          "click plugin 10 20\ndblclick plugin 30 40\nwheel plugin -120\n"
                          "drag plugin 5 5 45 25 2\nquit\n");
  EXPECT_EQ(r.exitCode, 0u) << r.log;
  const auto p = Lines(r.probe);
  const int down = LineOf(p, "lbuttondown 10 20");
  ASSERT_GE(down, 0) << r.probe;
  EXPECT_EQ(p[down + 1], "lbuttonup 10 20");
  EXPECT_GE(LineOf(p, "lbuttondblclk 30 40"), 0) << r.probe;
  EXPECT_GE(LineOf(p, "wheel -120"), 0) << r.probe;
  // The probe window sits at (600, 0): the cursor follows the drag in screen coordinates.
  EXPECT_GE(LineOf(p, "drag 25 15 cursor 625 15"), 0) << r.probe;
  EXPECT_GE(LineOf(p, "drag 45 25 cursor 645 25"), 0) << r.probe;
  EXPECT_GE(LineOf(p, "lbuttonup 45 25"), 0) << r.probe;
}

TEST_F(HostRun, DraggedHostWindowsSnapByTheIniDistance) {
  // The test INI has snap=1, snaplen=10. EQ is dropped 5 px right of the main window's right
  // edge and 5 px below its top, then 30 px away.
  const HostResult r = RunScript("snap",
                                 "move eq 400 300\ndrag eq 10 10 -110 -285 3\n"
                                 "drag eq 10 10 40 10 2\nquit\n");
  EXPECT_EQ(r.exitCode, 0u) << r.log;
  const auto l = Lines(r.log);
  const int first = LineOf(l, "# host window Winamp EQ at ");
  ASSERT_GE(first, 0) << r.log;
  EXPECT_EQ(l[first], "# host window Winamp EQ at 275,0");
  ASSERT_GT(l.size(), static_cast<size_t>(first) + 1);
  EXPECT_EQ(l[first + 1], "# host window Winamp EQ at 305,0");
}

TEST_F(HostRun, AnswersPopupMenusAsArranged) {
  const HostResult r = RunScript("menus",
                          "menu-choose 13\nrclick plugin 10 10\n"
                          "menu-choose 22\nrclick plugin 10 10\n"
                          "menu-choose 12\nrclick plugin 10 10\n"  // grayed: dismissed
                          "rclick plugin 10 10\n"                  // nobody answers: closed later
                          "menu-choose 201\nrclick main 10 10\nexpect skin Beta\n"
                          "quit\n");
  EXPECT_EQ(r.exitCode, 0u) << r.log;
  const auto p = Lines(r.probe);
  std::vector<std::string> menus;
  for (const std::string& l : p)
    if (l.rfind("menu ", 0) == 0) menus.push_back(l);
  EXPECT_EQ(menus, (std::vector<std::string>{"menu 13", "menu 22", "menu 0", "menu 0"})) << r.probe;
  EXPECT_TRUE(Contains(r.log, "item 12 is disabled")) << r.log;
  EXPECT_TRUE(Contains(r.log, "popup menu left unanswered")) << r.log;
}

TEST_F(HostRun, SwitchesSkinsAndAnswersTheNewOne) {
  const HostResult r = RunScript("skins",
                          "expect skin Alpha\nkey plugin Q\n"
                          "skin Beta\nkey plugin Q\n"
                          "skin Nope\n"
                          "quit\n");
  EXPECT_EQ(r.exitCode, 1u);  // the unknown skin is an error
  EXPECT_TRUE(Contains(r.log, "no skin Nope")) << r.log;
  const auto p = Lines(r.probe);
  std::vector<std::string> skins;
  for (const std::string& l : p)
    if (l.rfind("query 201 ", 0) == 0) skins.push_back(l.substr(l.find('|') + 1));
  EXPECT_EQ(skins, (std::vector<std::string>{"Alpha", "Beta"})) << r.probe;
}

TEST_F(HostRun, MiniBrowserRecordsTheOpenedPath) {
  const HostResult r = RunScript("minibrowser", "key plugin M\nexpect visible mb\nquit\n");
  EXPECT_EQ(r.exitCode, 0u) << r.log;
  EXPECT_TRUE(Contains(r.log, " user 249 1 0 \"Z:\\")) << r.log;
  EXPECT_TRUE(Contains(r.log, "\\Plugins\\gen_testprobe.dll\"\n")) << r.log;
  EXPECT_TRUE(Contains(r.log, " user 249 0 0\n")) << r.log;
}

TEST_F(HostRun, CapturesWindowsAsBitmaps) {
  const std::string dir = kStage + "/";
  DeleteFileA((dir + "cap-main.bmp").c_str());
  const HostResult r = RunScript("capture",
                          "load " + kData + "/c8.mp3\n"
                          "capture main cap-main.bmp\ncapture plugin cap-probe.bmp\n"
                          "move plugin 100 30\ncapture main cap-main-covered.bmp\n"
                          "capture pe cap-pe-alpha.bmp\nskin Beta\ncapture pe cap-pe-beta.bmp\nquit\n");
  EXPECT_EQ(r.exitCode, 0u) << r.log;
  const Bmp main = ReadBmp(dir + "cap-main.bmp");
  EXPECT_EQ(main.width, 275);
  EXPECT_EQ(main.height, 116);
  EXPECT_EQ(main.bits, 24);
  // The main window's own background, also where the probe window lies over it.
  EXPECT_EQ(main.Pixel(150, 50), 0x242434u);
  const Bmp covered = ReadBmp(dir + "cap-main-covered.bmp");
  ASSERT_EQ(covered.width, 275);
  EXPECT_EQ(covered.Pixel(150, 50), 0x242434u);
  const Bmp probe = ReadBmp(dir + "cap-probe.bmp");
  ASSERT_EQ(probe.width, 100);
  ASSERT_EQ(probe.height, 60);
  EXPECT_EQ(probe.Pixel(0, 0), 0xFF00FFu);
  EXPECT_EQ(probe.Pixel(99, 59), 0xFF00FFu);
  // The playlist editor is painted in the current skin's background colour (bottom corner,
  // below the single entry).
  const Bmp alpha = ReadBmp(dir + "cap-pe-alpha.bmp");
  const Bmp beta = ReadBmp(dir + "cap-pe-beta.bmp");
  ASSERT_EQ(alpha.height, 232);
  ASSERT_EQ(beta.height, 232);
  EXPECT_EQ(alpha.Pixel(270, 220), 0x102030u);
  EXPECT_EQ(beta.Pixel(270, 220), 0xC0FFEEu);
}

}  // namespace

namespace {

// The probe's "ask" line: each message with the host's answer.
std::string AskLine(const HostResult& r, int nth) {
  int seen = 0;
  for (const std::string& l : Lines(r.probe))
    if (l.rfind("ask ", 0) == 0 && seen++ == nth) return l;
  return "(no ask line " + std::to_string(nth) + ")";
}

TEST_F(HostRun, EachPlayerLineAnswersItsMessagesAndOneToTheRest) {
  const std::string alt = "syskey main m\n";
  const HostResult two = RunScript("line-two", "key plugin U\n" + alt + "expect at main 0,0\nquit\n");
  EXPECT_EQ(two.exitCode, 0u) << two.log;
  EXPECT_EQ(AskLine(two, 0), "ask 0=0 334=1 335=1 260=1 260=1 214=1 281=1 3019=1 3019=1 900=1 608=1 638=1 12345=1");
  EXPECT_TRUE(Contains(two.log, "# host syskey 77 in Winamp v1.x\n")) << two.log;  // no accelerator in 2.x
  EXPECT_TRUE(Contains(two.log, " user 334 0 1\n")) << two.log;

  const HostResult early = RunScript("line-early", "player501 profile501\nkey plugin U\nquit\n");
  EXPECT_EQ(early.exitCode, 0u) << early.log;
  EXPECT_EQ(AskLine(early, 0), "ask 0=" + std::to_string(0x5001) +
                                   " 334=pointer 335=pointer 260=Winamp EQ 260=Winamp MB 214=1 281=menu 3019=1 3019=1"
                                   " 900=1 608=0 638=1 12345=1");

  // Alt+M to the equalizer is the player's: the main window is minimised as Windows does it,
  // and the windows it owns are hidden until it is restored.
  const HostResult five = RunScript("line-five",
                                    "player5 profile5\nkey plugin U\n"
                                    "syskey eq m\nexpect at main -32000,-32000\nexpect hidden pe\nexpect hidden plugin\n"
                                    "mainwin restore\nexpect at main 0,0\nexpect visible pe\nexpect visible plugin\n"
                                    "mainwin hide\nexpect at main 0,-30000\nexpect visible main\n"
                                    "mainwin double\nmainwin shade\nexpect size main 550,28\nkey plugin U\n"
                                    "mainwin show\nexpect at main 0,0\n"
                                    "expect menuitems 9\nkey plugin I\nexpect menuitems 10\nexpect menuitem 46004 checked\n"
                                    "menu-choose 46004\nrclick main 10 10\nkey plugin I\nexpect menuitem 46004 absent\n"
                                    "expect menuitems 9\nquit\n");
  EXPECT_EQ(five.exitCode, 0u) << five.log;
  const std::string version = "ask 0=" + std::to_string(0x5666);
  EXPECT_EQ(AskLine(five, 0), version + " 334=pointer 335=pointer 260=Winamp EQ 260=0 214=0 281=menu "
                                        "3019=46000 3019=46001 900=1 608=0 638=0 12345=1");
  EXPECT_EQ(AskLine(five, 1), version + " 334=pointer 335=pointer 260=Winamp EQ 260=0 214=0 281=menu "
                                        "3019=46002 3019=46003 900=0 608=1 638=1 12345=1");
  EXPECT_TRUE(Contains(five.log, "# host accelerator Alt+M in Winamp EQ: minimise\n")) << five.log;
  // A plug-in's checked item in the main menu is chosen like the host's own and comes to the
  // main window as a command, which the host leaves alone.
  EXPECT_TRUE(Contains(five.probe, "inserted 46004 1\n")) << five.probe;
  EXPECT_TRUE(Contains(five.log, " command 46004\n")) << five.log;
  EXPECT_TRUE(Contains(five.probe, "removed 46004 1\n")) << five.probe;
  EXPECT_FALSE(Contains(five.log, "# host syskey 77")) << five.log;
}

TEST_F(HostRun, ResizingTheMainWindowMovesTheWindowsDockedToIt) {
  // The rule itself is WindowDock's table; here the commands carry it out on the real windows:
  // eq below the main window, pe below eq, mb on the main window's right edge; the probe window
  // (a plug-in's) is never moved by the host.
  const HostResult r = RunScript("redock",
                                 "move mb 275 0\nmainwin double\nexpect size main 550,232\n"
                                 "expect at eq 0,232\nexpect at pe 0,348\nexpect at mb 550,0\n"
                                 "mainwin single\nmainwin shade\nexpect size main 275,14\nexpect at main 0,0\n"
                                 "expect at eq 0,14\nexpect at pe 0,130\nexpect at plugin 600,0\nquit\n");
  EXPECT_EQ(r.exitCode, 0u) << r.log;
}

TEST_F(HostRun, AModernSkinFramesThePlaylistAndKeepsTheMainWindowAtTheMonitorsFoot) {
  const int lastRow = GetSystemMetrics(SM_CYSCREEN) - 1;  // the host runs on this test's display
  const HostResult r = RunScript("modern",
                                 "modern\nexpect at main 0,-30000\nexpect visible main\nexpect hidden eq\n"
                                 "expect at frame 0,0\nexpect at pe-frame 0,116\nexpect at pe 0,116\n"
                                 "move frame 100 200\nexpect at main 0," + std::to_string(lastRow) + "\n"
                                 "move main 40 40\ndrag frame 10 10 60 10 2\nexpect at frame 150,200\n"
                                 "expect at main 0," + std::to_string(lastRow) + "\n"
                                 "move pe-frame 300 300\nexpect at pe 300,300\nexpect size pe 275,232\nquit\n");
  EXPECT_EQ(r.exitCode, 0u) << r.log;
  // The frames' moves reach a location-change hook as they do under Windows.
  EXPECT_TRUE(Contains(r.probe, "location frame 100,200\n")) << r.probe;
  EXPECT_TRUE(Contains(r.probe, "location frame 150,200\n")) << r.probe;
}

}  // namespace
