// The backwards search for the end record, driven from memory.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "archive/EndRecordSearch.h"

namespace {

const std::string kSig("PK\x05\x06", 4);

struct MemoryArchive : ByteSource {
  explicit MemoryArchive(std::string content) : bytes(std::move(content)) {}
  std::string bytes;
  std::vector<uint32_t> chunkStarts;  // every read, in order

  uint64_t Size() const override { return bytes.size(); }
  size_t ReadAt(uint64_t offset, uint8_t* destination, size_t count) override {
    chunkStarts.push_back(static_cast<uint32_t>(offset));
    if (offset > bytes.size()) return 0;
    const size_t n = std::min(count, bytes.size() - static_cast<size_t>(offset));
    std::memcpy(destination, bytes.data() + offset, n);
    return n;
  }

  // The offset found, or -1.
  long long Find() {
    uint32_t offset = 0;
    return zip::FindEndRecord(*this, static_cast<uint32_t>(bytes.size()), offset) ? static_cast<long long>(offset) : -1;
  }
};

// Answers every read with `reported` bytes of `fill`, whatever was asked.
struct FixedReads : ByteSource {
  FixedReads(std::string fill, size_t reported) : fill(std::move(fill)), reported(reported) {}
  std::string fill;
  size_t reported;
  uint64_t Size() const override { return 1u << 20; }
  size_t ReadAt(uint64_t, uint8_t* destination, size_t count) override {
    std::memcpy(destination, fill.data(), std::min(count, fill.size()));
    return reported;
  }
};

// A record whose comment length field says `commentLength`.
std::string Record(uint8_t commentLength = 0) {
  return kSig + std::string(16, '\0') + static_cast<char>(commentLength) + '\0';
}

TEST(EndRecordSearch, FindsRecordAtTheVeryEndAndBehindLongComments) {
  MemoryArchive plain{std::string(10000, 'a') + Record()};
  EXPECT_EQ(10000, plain.Find());

  MemoryArchive commented{std::string(10000, 'a') + Record() + std::string(60000, 'c')};
  EXPECT_EQ(10000, commented.Find());

  // The longest possible comment: the record starts exactly fileSize - 65557.
  MemoryArchive longest{std::string(5000, 'a') + Record() + std::string(65535, 'c')};
  EXPECT_EQ(5000, longest.Find());
}

TEST(EndRecordSearch, SmallArchivesAreSearchedWhole) {
  MemoryArchive tiny{Record()};
  EXPECT_EQ(0, tiny.Find());
  MemoryArchive none{std::string(3000, 'a')};
  EXPECT_EQ(-1, none.Find());
  MemoryArchive empty{std::string()};
  EXPECT_EQ(-1, empty.Find());
}

TEST(EndRecordSearch, SignatureCutByTheEndOfTheFileIsNotMatched) {
  MemoryArchive cut{std::string(100, 'a') + kSig.substr(0, 3)};
  EXPECT_EQ(-1, cut.Find());
}

TEST(EndRecordSearch, RecordReachingTheEndOfTheFileWinsThenTheHighest) {
  struct Case {
    const char* what;
    std::string bytes;
    long long expected;
  } cases[] = {
      // An inner archive's record (a stored ZIP as the last member) in the same chunk, below.
      {"inner record in the same chunk", std::string(20000, 'a') + Record() + std::string(300, 'd') + Record(),
       20000 + 22 + 300},
      {"inner record in the chunk before", std::string(20000, 'a') + Record() + std::string(5000, 'd') + Record(),
       20000 + 22 + 5000},
      // A signature inside the archive comment lies higher but reaches nowhere.
      {"signature in the comment", std::string(9000, 'a') + Record(100) + std::string(40, 'c') + kSig +
                                       std::string(56, 'c'),
       9000},
      // Nothing reaches the end (bytes appended after the archive): the highest that fits.
      {"none reaches the end", std::string(9000, 'a') + Record() + std::string(500, 'd') + Record() + "junk",
       9000 + 22 + 500},
      {"a higher one cut by the end of the file", std::string(9000, 'a') + Record() + std::string(10, 'x') + kSig,
       9000},
  };
  for (Case& c : cases) {
    MemoryArchive archive{c.bytes};
    EXPECT_EQ(c.expected, archive.Find()) << c.what;
  }
}

TEST(EndRecordSearch, SignatureStraddlingTwoChunksIsFound) {
  // File of 3 * 4096 bytes: chunks start at 8192, 4096, 0. Put the signature at 8190..8193.
  for (uint32_t at : {8189u, 8190u, 8191u}) {
    std::string bytes(3 * 4096, 'a');
    bytes.replace(at, 4, kSig);
    MemoryArchive archive{bytes};
    EXPECT_EQ(at, archive.Find()) << at;
  }
  // Same across the boundary of the short first chunk: 5000 bytes, chunks at 904 and 0.
  for (uint32_t at : {901u, 902u, 903u}) {
    std::string bytes(5000, 'a');
    bytes.replace(at, 4, kSig);
    MemoryArchive archive{bytes};
    EXPECT_EQ(at, archive.Find()) << at;
  }
}

TEST(EndRecordSearch, WindowEndsWithTheChunkHoldingSizeMinus65558) {
  const uint32_t size = 100000;
  // Chunk starts from the end: 95904, 91808, ... The last one searched holds 100000 - 65558 = 34442.
  MemoryArchive outside{std::string(size, 'a')};
  outside.bytes.replace(1000, 4, kSig);
  EXPECT_EQ(-1, outside.Find());
  ASSERT_FALSE(outside.chunkStarts.empty());
  EXPECT_LE(outside.chunkStarts.size(), 17u);
  EXPECT_LE(outside.chunkStarts.back(), size - zip::kSearchWindow);
  EXPECT_GT(outside.chunkStarts.back() + zip::kSearchChunkSize, size - zip::kSearchWindow);

  // A signature inside that last chunk but beyond the 65558 bytes is still found (whole chunk).
  MemoryArchive edge{std::string(size, 'a')};
  const uint32_t lastStart = outside.chunkStarts.back();
  edge.bytes.replace(lastStart, 4, kSig);
  EXPECT_EQ(lastStart, edge.Find());
}

TEST(EndRecordSearch, FailedReadsDoNotInventMatches) {
  // A reader that cannot move anywhere: nothing is found and nothing is touched.
  uint32_t offset = 12345;
  FixedReads failing("", 0);
  EXPECT_FALSE(zip::FindEndRecord(failing, 50000, offset));
  EXPECT_EQ(12345u, offset);
  // A reader that returns fewer bytes than asked: only those bytes are scanned (the bytes after
  // the five reported hold the rest of a signature and a record).
  FixedReads shortReads(std::string("xxPK\x05", 5) + std::string(100, '\x06'), 5);
  EXPECT_FALSE(zip::FindEndRecord(shortReads, 8192, offset));
}

}  // namespace
