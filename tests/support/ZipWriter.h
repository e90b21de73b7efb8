// In-memory ZIP writer for tests, plus temp-file helpers that work natively and under Wine.
//
//   std::string zip = BuildZip({{"a.mp3", bytes}, {"disc1/", ""}, {"x.txt", "abc", true}});
//   std::string path = WriteTempFile("a.zip.mp3", zip);
//
// Each entry becomes a local header + data, then one central header per entry, then the end
// record (and the archive comment). CRCs are real, so Info-ZIP's tools accept the output.
// `compressed` only marks an entry as deflated: method 8 and an uncompressed size different from
// data.size(); the data bytes are written as given (the reader under test never inflates).
//
// To craft broken archives, fill the optional overrides (ZipEntry::*Override, ZipOptions) or edit
// the returned bytes at the offsets BuildZip reports through ZipLayout.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "FileBytes.h"

#ifdef _WIN32
#include <process.h>
#define TC_ZIPWRITER_PID() _getpid()
#else
#include <unistd.h>
#define TC_ZIPWRITER_PID() getpid()
#endif

struct ZipEntry {
  ZipEntry() = default;
  ZipEntry(std::string name, std::string data, bool compressed = false, std::string extra = std::string(),
           std::string comment = std::string())
      : name(std::move(name)), data(std::move(data)), compressed(compressed), extra(std::move(extra)),
        comment(std::move(comment)) {}

  std::string name;
  std::string data;
  bool compressed = false;
  std::string extra;    // central header extra field
  std::string comment;  // member comment
  uint16_t flags = 0;   // general purpose bit flag, in both headers
  // Overrides for broken or unusual archives.
  std::optional<std::string> localName;         // name stored in the local header (default: name)
  std::string localExtra;                       // local header extra field
  std::optional<uint32_t> compressedSizeOverride;
  std::optional<uint32_t> uncompressedSizeOverride;
  std::optional<uint32_t> localHeaderOffsetOverride;
  std::optional<uint16_t> nameLengthOverride;  // central header's name length field
};

struct ZipOptions {
  std::string archiveComment;
  std::string prefix;  // bytes written before the first local header
  std::optional<uint16_t> entryCountOverride;      // both entry counts of the end record
  std::optional<uint32_t> directoryOffsetOverride;
  std::optional<uint16_t> commentLengthOverride;
};

// Where BuildZip put things, for tests that patch the bytes afterwards.
struct ZipLayout {
  std::vector<uint32_t> localHeaderOffsets;
  std::vector<uint32_t> dataOffsets;
  std::vector<uint32_t> centralHeaderOffsets;
  uint32_t directoryOffset = 0;
  uint32_t directorySize = 0;
  uint32_t endRecordOffset = 0;
};

namespace zipwriter_detail {

inline uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

inline void Put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

inline void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace zipwriter_detail

inline std::string BuildZip(const std::vector<ZipEntry>& entries, const ZipOptions& options,
                            ZipLayout* layout = nullptr) {
  using namespace zipwriter_detail;
  ZipLayout where;
  std::string out = options.prefix;
  std::vector<uint32_t> crcs;
  for (const ZipEntry& e : entries) {
    const std::string& localName = e.localName ? *e.localName : e.name;
    const uint32_t crc = Crc32(e.data);
    crcs.push_back(crc);
    const uint32_t csize = e.compressedSizeOverride ? *e.compressedSizeOverride : static_cast<uint32_t>(e.data.size());
    const uint32_t usize = e.uncompressedSizeOverride ? *e.uncompressedSizeOverride
                           : e.compressed ? static_cast<uint32_t>(e.data.size() * 2 + 1)
                                          : static_cast<uint32_t>(e.data.size());
    where.localHeaderOffsets.push_back(static_cast<uint32_t>(out.size()));
    out += std::string("PK\x03\x04", 4);
    Put16(out, e.compressed ? 20 : 10);  // version needed
    Put16(out, e.flags);                 // flags
    Put16(out, e.compressed ? 8 : 0);    // method
    Put16(out, 0x6000);                  // 12:00:00
    Put16(out, 0x5A21);                  // 2025-01-01
    Put32(out, crc);
    Put32(out, csize);
    Put32(out, usize);
    Put16(out, static_cast<uint32_t>(localName.size()));
    Put16(out, static_cast<uint32_t>(e.localExtra.size()));
    out += localName;
    out += e.localExtra;
    where.dataOffsets.push_back(static_cast<uint32_t>(out.size()));
    out += e.data;
  }
  where.directoryOffset = static_cast<uint32_t>(out.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    const ZipEntry& e = entries[i];
    const uint32_t csize = e.compressedSizeOverride ? *e.compressedSizeOverride : static_cast<uint32_t>(e.data.size());
    const uint32_t usize = e.uncompressedSizeOverride ? *e.uncompressedSizeOverride
                           : e.compressed ? static_cast<uint32_t>(e.data.size() * 2 + 1)
                                          : static_cast<uint32_t>(e.data.size());
    where.centralHeaderOffsets.push_back(static_cast<uint32_t>(out.size()));
    out += std::string("PK\x01\x02", 4);
    Put16(out, 0x0314);  // made by: Unix, 2.0
    Put16(out, e.compressed ? 20 : 10);
    Put16(out, e.flags);
    Put16(out, e.compressed ? 8 : 0);
    Put16(out, 0x6000);
    Put16(out, 0x5A21);
    Put32(out, crcs[i]);
    Put32(out, csize);
    Put32(out, usize);
    Put16(out, e.nameLengthOverride ? *e.nameLengthOverride : static_cast<uint32_t>(e.name.size()));
    Put16(out, static_cast<uint32_t>(e.extra.size()));
    Put16(out, static_cast<uint32_t>(e.comment.size()));
    Put16(out, 0);           // disk start
    Put16(out, 0);           // internal attributes
    Put32(out, 0x81A40000);  // external attributes: -rw-r--r--
    Put32(out, e.localHeaderOffsetOverride ? *e.localHeaderOffsetOverride : where.localHeaderOffsets[i]);
    out += e.name;
    out += e.extra;
    out += e.comment;
  }
  where.directorySize = static_cast<uint32_t>(out.size()) - where.directoryOffset;
  where.endRecordOffset = static_cast<uint32_t>(out.size());
  const uint32_t count = options.entryCountOverride ? *options.entryCountOverride : static_cast<uint32_t>(entries.size());
  out += std::string("PK\x05\x06", 4);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, count);
  Put16(out, count);
  Put32(out, where.directorySize);
  Put32(out, options.directoryOffsetOverride ? *options.directoryOffsetOverride : where.directoryOffset);
  Put16(out, options.commentLengthOverride ? *options.commentLengthOverride
                                           : static_cast<uint32_t>(options.archiveComment.size()));
  out += options.archiveComment;
  if (layout) *layout = where;
  return out;
}

inline std::string BuildZip(const std::vector<ZipEntry>& entries, const std::string& archiveComment = "") {
  ZipOptions options;
  options.archiveComment = archiveComment;
  return BuildZip(entries, options);
}

// The per-process folder for test files (removed at exit). Under Wine this is the Windows temp folder.
inline const std::filesystem::path& TestTempFolder() {
  struct Folder {
    std::filesystem::path path;
    Folder() {
      std::error_code ec;
      path = std::filesystem::temp_directory_path(ec) / ("tc_test_" + std::to_string(TC_ZIPWRITER_PID()));
      std::filesystem::create_directories(path, ec);
    }
    ~Folder() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  };
  static Folder folder;
  return folder.path;
}

// Writes `bytes` to TestTempFolder()/fileName and returns the path (forward slashes are fine on
// Windows too). fileName is used as given: keep it ASCII.
inline std::string WriteTempFile(const std::string& fileName, const std::string& bytes) {
  const std::string path = (TestTempFolder() / fileName).string();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

