// Byte layout of the three ZIP records the reader uses, as named offsets from the start of each
// record (signature included), and the decoding of their fixed parts from a buffer.
#pragma once
#include <cstddef>
#include <cstdint>

class File;
class ZipFile;

namespace zip {

constexpr size_t kSignatureSize = 4;
constexpr uint8_t kLocalSignature[4] = {0x50, 0x4B, 0x03, 0x04};
constexpr uint8_t kCentralSignature[4] = {0x50, 0x4B, 0x01, 0x02};
constexpr uint8_t kEndSignature[4] = {0x50, 0x4B, 0x05, 0x06};

// End-of-central-directory record: the 22 bytes read (the archive comment behind it is not).
namespace end {
constexpr size_t kSize = 22;
constexpr size_t kDiskNumber = 4;
constexpr size_t kDirectoryDisk = 6;
constexpr size_t kEntriesOnDisk = 8;
constexpr size_t kEntryCount = 10;
constexpr size_t kDirectorySize = 12;
constexpr size_t kDirectoryOffset = 16;
constexpr size_t kCommentLength = 20;
}  // namespace end

// Central-directory file header: fixed part of 46 bytes, then name, extra field and comment.
namespace central {
constexpr size_t kFixedSize = 46;
constexpr size_t kVersionMadeBy = 4;
constexpr size_t kVersionNeeded = 6;
constexpr size_t kFlags = 8;
constexpr size_t kMethod = 10;
constexpr size_t kModTime = 12;
constexpr size_t kModDate = 14;
constexpr size_t kCrc32 = 16;
constexpr size_t kCompressedSize = 20;
constexpr size_t kUncompressedSize = 24;
constexpr size_t kNameLength = 28;
constexpr size_t kExtraLength = 30;
constexpr size_t kCommentLength = 32;
constexpr size_t kDiskStart = 34;
constexpr size_t kInternalAttributes = 36;
constexpr size_t kExternalAttributes = 38;
constexpr size_t kLocalHeaderOffset = 42;
}  // namespace central

// Local file header: fixed part of 30 bytes; only the two lengths that place the data are used.
namespace local {
constexpr size_t kFixedSize = 30;
constexpr size_t kNameLength = 26;
constexpr size_t kExtraLength = 28;
}  // namespace local

// True when the four bytes at `p` are `signature`.
bool HasSignature(const uint8_t* p, const uint8_t (&signature)[4]);

// Takes the fields of a whole end record (kSize bytes at `record`) into `archive`.
void DecodeEndRecord(const uint8_t* record, ZipFile& archive);

// Takes the fixed fields of a central header (kFixedSize bytes at `header`) into `member`.
void DecodeCentralHeader(const uint8_t* header, File& member);

// Offset of a member's first data byte from its local header (local::kFixedSize bytes at `header`).
// 64-bit so that hostile offsets near 4 GiB cannot wrap to a small, plausible value.
uint64_t DataOffsetFromLocalHeader(uint32_t localHeaderOffset, const uint8_t* header);

}  // namespace zip
