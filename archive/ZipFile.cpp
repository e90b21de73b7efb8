#include "archive/ZipFile.h"

#include <algorithm>

#include "archive/ArchiveReader.h"
#include "archive/DataRanges.h"
#include "archive/EndRecordSearch.h"
#include "archive/MemberKind.h"
#include "archive/MemberPromotion.h"
#include "archive/StartTimes.h"
#include "archive/ZipRecords.h"
#include "settings/Settings.h"

ZipFile::ZipFile(const std::string& path) : File(path, 0), reader_(std::make_unique<ArchiveReader>(path)) {
  measuredSize_ = reader_->Size();
  fileSize = static_cast<uint32_t>(std::min<uint64_t>(measuredSize_, UINT32_MAX));
}

ZipFile::ZipFile(const std::string& path, ByteSource& source)
    : File(path, 0), reader_(std::make_unique<ArchiveReader>(source)) {
  measuredSize_ = reader_->Size();
  fileSize = static_cast<uint32_t>(std::min<uint64_t>(measuredSize_, UINT32_MAX));
}

ZipFile::~ZipFile() = default;

uint32_t ZipFile::GetPlayTime() const {
  uint32_t total = 0;
  for (const auto& member : members) total += member->GetPlayTime();  // wraps like startTimes
  return total;
}

bool ZipFile::Read() {
  // A second Read, or one after the constructor could not open the file, opens it anew.
  if (!reader_ || !reader_->IsOpen()) reader_ = std::make_unique<ArchiveReader>(archivePath);
  std::unique_ptr<ArchiveReader> reader = std::move(reader_);  // closed when Read returns
  return ReadDirectory(*reader);
}

bool ZipFile::ReadDirectory(ArchiveReader& reader) {
  if (!reader.IsOpen()) {
    status = StatusCannotOpen;
    return false;
  }
  // Only a file that begins with a local header is taken; a prefixed archive is refused.
  uint8_t first[zip::kSignatureSize];
  if (!reader.ReadExactAt(0, first, sizeof first) || !zip::HasSignature(first, zip::kLocalSignature)) {
    status = StatusNotZip;
    return false;
  }
  if (measuredSize_ > kMaxArchiveSize) {
    status = StatusBadHeader;
    return false;
  }
  uint32_t found = 0;
  uint8_t record[zip::end::kSize];
  // A record cut off by the end of the file (a stray signature in the last 21 bytes) is no record.
  if (!zip::FindEndRecord(reader, fileSize, found) || !reader.ReadExactAt(found, record, sizeof record)) {
    status = StatusBadHeader;
    return false;
  }
  endRecordOffset = found;
  zip::DecodeEndRecord(record, *this);
  // The headers are walked by their own lengths; the stated directory size only decides what is
  // read ahead in one piece.
  reader.Hold(directoryOffset, directorySize);

  status = StatusNoStoredMember;
  // Every header is at least 46 bytes, so the archive's size bounds how many can exist; the
  // stored count alone must not size an allocation.
  members.reserve(std::min<size_t>(entryCount, fileSize / zip::central::kFixedSize));
  std::unique_ptr<File> pendingSheet;
  DataRanges analysedData;
  uint32_t offset = directoryOffset;
  for (uint32_t i = 0; i < entryCount; ++i) {
    auto member = std::make_unique<File>(archivePath, offset);
    if (!member->ReadFrom(reader)) {
      status = StatusBadHeader;
      return false;
    }
    // No wrap: a header that was read lies below 2 GiB and is at most 196,653 bytes long.
    offset += member->GetHeaderSize();
    if (member->compressedSize != member->uncompressedSize) {
      members.push_back(std::move(member));
      continue;
    }
    status = StatusPlayable;
    const StoredMemberKind kind = ClassifyStoredMember(member->GetPath());
    // Members whose data gets read must not share bytes (see DataRanges.h): such a directory is
    // forged, and refusing it keeps the analysis to one pass over the archive.
    if (kind != StoredMemberKind::Plain && !analysedData.Claim(member->dataOffset, member->compressedSize)) {
      status = StatusBadHeader;
      return false;
    }
    switch (kind) {
      case StoredMemberKind::Mp3:
        members.push_back(PromoteMp3Member(std::move(member), reader));
        break;
      case StoredMemberKind::CueSheet:
        HoldCueSheet(*member, pendingSheet, reader);
        members.push_back(std::move(member));
        break;
      case StoredMemberKind::Plain:
        members.push_back(std::move(member));
        break;
    }
  }
  ApplyCueSheet(pendingSheet, members);
  startTimes = BuildStartTimes(members);
  return true;
}

int ZipFile::GetCount() const { return static_cast<int>(members.size()); }

File* ZipFile::GetMember(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return members[static_cast<size_t>(index)].get();
}

int ZipFile::GetTrackAt(uint32_t positionMs) const {
  if (startTimes.size() != static_cast<size_t>(entryCount) + 1) return -1;
  for (int i = 0; i < entryCount; ++i) {
    if (positionMs < startTimes[static_cast<size_t>(i) + 1]) return i;
  }
  return entryCount;
}

uint32_t ZipFile::GetStartTime(int index) const {
  if (index < 0 || static_cast<size_t>(index) + 1 >= startTimes.size()) return 0;
  return startTimes[static_cast<size_t>(index)];
}

uint32_t ZipFile::GetTimeInTrack(int index, uint32_t positionMs) const {
  if (index < 0 || static_cast<size_t>(index) + 1 >= startTimes.size()) return 0;
  const size_t i = static_cast<size_t>(index);
  // Unsigned on purpose, as the times themselves.
  return g_settings.CountUp ? positionMs - startTimes[i] : startTimes[i + 1] - positionMs;
}
