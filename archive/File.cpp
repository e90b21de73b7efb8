#include "archive/File.h"

#include <cstring>
#include <vector>

#include "archive/ArchiveReader.h"
#include "archive/NameEncoding.h"
#include "archive/ZipRecords.h"

namespace {

// The stored bytes up to their first zero byte.
std::string TextUpToZero(const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) return std::string();  // data() may be null, which memchr must not get
  const auto* begin = reinterpret_cast<const char*>(bytes.data());
  const void* zero = std::memchr(begin, 0, bytes.size());
  const size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - begin) : bytes.size();
  return std::string(begin, length);
}

// Reads a variable part of `length` bytes (at most 65535: the fields are 16-bit) at `at`.
bool ReadBlock(ArchiveReader& reader, uint64_t& at, uint16_t length, std::vector<uint8_t>& block) {
  block.resize(length);
  if (length != 0 && !reader.ReadExactAt(at, block.data(), length)) return false;
  at += length;
  return true;
}

}  // namespace

File::File(std::string archivePath, uint32_t headerOffset)
    : archivePath(std::move(archivePath)), headerOffset(headerOffset) {}

File::~File() = default;

uint32_t File::GetPlayTime() const { return 0; }

bool File::HasTag() const { return false; }

TagInfo File::GetTag() const { return TagInfo(); }

std::string File::GetVariable(const std::string& variableName) const {
  if (variableName == "FILE_NAME") return GetFileName();
  if (variableName == "FILE_PATH") return GetPath();
  return std::string();
}

std::string File::GetFolder() const { return name.empty() ? std::string() : GetFolderPart(name); }

std::string File::GetFileName() const {
  if (name.empty()) return std::string();
  const size_t folderLength = GetFolder().size();
  return folderLength < name.size() ? name.substr(folderLength) : std::string();
}

uint32_t File::GetHeaderSize() const {
  return static_cast<uint32_t>(zip::central::kFixedSize) + nameLength + extraLength + commentLength;
}

bool File::Read() {
  ArchiveReader reader(archivePath);
  return reader.IsOpen() && ReadFrom(reader);
}

bool File::ReadFrom(ArchiveReader& reader) {
  // Any short read means the header is cut off by the end of the archive: a failure, so that
  // no field holds bytes that were never there.
  uint8_t header[zip::central::kFixedSize];
  if (!reader.ReadExactAt(headerOffset, header, zip::kSignatureSize) ||
      !zip::HasSignature(header, zip::kCentralSignature))
    return false;
  if (!reader.ReadExactAt(uint64_t{headerOffset} + zip::kSignatureSize, header + zip::kSignatureSize,
                          zip::central::kFixedSize - zip::kSignatureSize))
    return false;
  zip::DecodeCentralHeader(header, *this);

  uint64_t at = uint64_t{headerOffset} + zip::central::kFixedSize;
  std::vector<uint8_t> block;
  if (!ReadBlock(reader, at, nameLength, block)) return false;
  name = zip::StoredTextToAnsi(TextUpToZero(block), flags);
  if (!ReadBlock(reader, at, extraLength, block)) return false;
  extra = block;
  if (!ReadBlock(reader, at, commentLength, block)) return false;
  comment = zip::StoredTextToAnsi(TextUpToZero(block), flags);

  uint8_t local[zip::local::kFixedSize];
  if (!reader.ReadExactAt(localHeaderOffset, local, zip::kSignatureSize) ||
      !zip::HasSignature(local, zip::kLocalSignature))
    return false;
  if (!reader.ReadExactAt(uint64_t{localHeaderOffset} + zip::kSignatureSize, local + zip::kSignatureSize,
                          zip::local::kFixedSize - zip::kSignatureSize))
    return false;
  const uint64_t data = zip::DataOffsetFromLocalHeader(localHeaderOffset, local);
  if (data > UINT32_MAX) return false;
  dataOffset = static_cast<uint32_t>(data);
  return true;
}
