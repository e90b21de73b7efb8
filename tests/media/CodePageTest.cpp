// UTF-16 tag texts through the system's code page conversion (Windows, ANSI code page 932).
#include <gtest/gtest.h>
#include <windows.h>

#include "archive/MemorySource.h"
#include "media/Id3Tag.h"
#include "support/MediaBuilders.h"
#include "platform/CodePage.h"

namespace {

media::CId3tagv2 TagOf(const std::string& frame) {
  const std::string bytes = build::Tag(frame);
  MemorySource source(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  media::CId3tagv2 tag;
  tag.Load(source, 0, bytes.size());
  return tag;
}

std::string TitleOf(const std::u16string& text) { return TagOf(build::Frame("TIT2", build::Utf16(text))).GetTitle(); }

TEST(CodePage932, TheSystemCodePageIsShiftJis) { ASSERT_EQ(GetACP(), 932u); }

TEST(CodePage932, JapaneseTitleBecomesShiftJisBytes) {
  // 東京の表示ソ: 表 and ソ end in the byte 0x5C.
  EXPECT_EQ(TitleOf(u"\u6771\u4EAC\u306E\u8868\u793A\u30BD"),
            "\x93\x8c\x8b\x9e\x82\xcc\x95\x5c\x8e\xa6\x83\x5c");
  // Half-width katakana are single bytes.
  EXPECT_EQ(TitleOf(u"A\uFF71z"), "A\xb1z");
  // A comment in UTF-16 goes the same way.
  EXPECT_EQ(TagOf(build::Frame("COMM", build::CommentUtf16(u"", u"\u97F3\u697D"))).GetComment(), "\x89\xb9\x8a\x79");
}

TEST(CodePage932, CharacterOutsideTheCodePageBecomesTheDefaultReplacement) {
  CPINFO info = {};
  ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
  const std::string replacement(reinterpret_cast<const char*>(info.DefaultChar),
                                info.DefaultChar[1] != 0 ? 2 : 1);
  // Thai ko kai has no place in code page 932, nor any best-fit stand-in.
  EXPECT_EQ(TitleOf(u"a\u0E01b"), "a" + replacement + "b");
  const char16_t units[] = {u'\u0E01'};
  EXPECT_EQ(codepage::Utf16ToAnsi(units, 1), replacement);
}

}  // namespace
