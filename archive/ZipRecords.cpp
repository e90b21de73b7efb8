#include "archive/ZipRecords.h"

#include <cstring>

#include "archive/File.h"
#include "archive/LittleEndian.h"
#include "archive/ZipFile.h"

namespace zip {

bool HasSignature(const uint8_t* p, const uint8_t (&signature)[4]) { return std::memcmp(p, signature, 4) == 0; }

void DecodeEndRecord(const uint8_t* record, ZipFile& archive) {
  archive.diskNumber = le::Read16(record + end::kDiskNumber);
  archive.directoryDisk = le::Read16(record + end::kDirectoryDisk);
  archive.entriesOnDisk = le::Read16(record + end::kEntriesOnDisk);
  archive.entryCount = le::Read16(record + end::kEntryCount);
  archive.directorySize = le::Read32(record + end::kDirectorySize);
  archive.directoryOffset = le::Read32(record + end::kDirectoryOffset);
  archive.archiveCommentLength = le::Read16(record + end::kCommentLength);
}

void DecodeCentralHeader(const uint8_t* header, File& member) {
  member.versionMadeBy = le::Read16(header + central::kVersionMadeBy);
  member.versionNeeded = le::Read16(header + central::kVersionNeeded);
  member.flags = le::Read16(header + central::kFlags);
  member.method = le::Read16(header + central::kMethod);
  member.modTime = le::Read16(header + central::kModTime);
  member.modDate = le::Read16(header + central::kModDate);
  member.crc32 = le::Read32(header + central::kCrc32);
  member.compressedSize = le::Read32(header + central::kCompressedSize);
  member.uncompressedSize = le::Read32(header + central::kUncompressedSize);
  member.nameLength = le::Read16(header + central::kNameLength);
  member.extraLength = le::Read16(header + central::kExtraLength);
  member.commentLength = le::Read16(header + central::kCommentLength);
  member.diskStart = le::Read16(header + central::kDiskStart);
  member.internalAttributes = le::Read16(header + central::kInternalAttributes);
  member.externalAttributes = le::Read32(header + central::kExternalAttributes);
  member.localHeaderOffset = le::Read32(header + central::kLocalHeaderOffset);
}

uint64_t DataOffsetFromLocalHeader(uint32_t localHeaderOffset, const uint8_t* header) {
  return static_cast<uint64_t>(localHeaderOffset) + local::kFixedSize + le::Read16(header + local::kNameLength) +
         le::Read16(header + local::kExtraLength);
}

}  // namespace zip
