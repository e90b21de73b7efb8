// The shared fixture builder: if it writes wrong bytes, every archive test proves nothing.
#include <gtest/gtest.h>

#include "support/ZipWriter.h"

namespace {

uint32_t At32(const std::string& s, size_t i) {
  return static_cast<uint8_t>(s[i]) | static_cast<uint8_t>(s[i + 1]) << 8 | static_cast<uint8_t>(s[i + 2]) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(s[i + 3])) << 24;
}

TEST(ZipWriter, CrcMatchesTheStandardCheckValue) {
  EXPECT_EQ(0xCBF43926u, zipwriter_detail::Crc32("123456789"));
}

TEST(ZipWriter, LayoutPointsAtTheRecordsWritten) {
  ZipLayout layout;
  ZipOptions options;
  options.archiveComment = "hello";
  const std::string zip = BuildZip({{"a.mp3", "DATA"}, {"dir/", ""}}, options, &layout);
  ASSERT_EQ(2u, layout.localHeaderOffsets.size());
  EXPECT_EQ(0u, layout.localHeaderOffsets[0]);
  EXPECT_EQ(30u + 5u, layout.dataOffsets[0]);
  EXPECT_EQ("DATA", zip.substr(layout.dataOffsets[0], 4));
  EXPECT_EQ(std::string("PK\x01\x02", 4), zip.substr(layout.centralHeaderOffsets[1], 4));
  EXPECT_EQ(std::string("PK\x05\x06", 4), zip.substr(layout.endRecordOffset, 4));
  EXPECT_EQ(layout.directoryOffset, At32(zip, layout.endRecordOffset + 16));
  EXPECT_EQ(zip.size(), layout.endRecordOffset + 22u + 5u);
}

TEST(ZipWriter, TempFilesRoundTripBinaryBytes) {
  const std::string bytes("\x00\x1A\r\n\xFF", 5);
  const std::string path = WriteTempFile("roundtrip.bin", bytes);
  EXPECT_EQ(bytes, ReadFileBytes(path));
}

}  // namespace
