// One member of an open zip.mp3 archive: the record of its central-directory entry together with
// the offset of its data. Subclasses: ZipFile (the archive itself), Mp3File, CueFile.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class ArchiveReader;

// Tag texts of a member, as bytes in the ANSI code page.
struct TagInfo {
  std::string title;
  std::string artist;
  std::string album;
  int32_t year = 0;
  std::string comment;
  int32_t trackNumber = 0;
  int32_t genre = 0;
};

class File {
 public:
  File(std::string archivePath, uint32_t headerOffset);

  // The five virtual operations, in this slot order; the destructor follows them.
  virtual uint32_t GetPlayTime() const;                          // slot 0
  virtual bool Read();                                           // slot 1
  virtual bool HasTag() const;                                   // slot 2
  virtual TagInfo GetTag() const;                                // slot 3
  virtual std::string GetVariable(const std::string& name) const;  // slot 4
  virtual ~File();

  // What Read does, through the archive's reader that the caller already holds open.
  bool ReadFrom(ArchiveReader& reader);

  std::string GetArchivePath() const { return archivePath; }
  std::string GetPath() const { return name; }
  std::string GetFolder() const;
  std::string GetFileName() const;
  uint32_t GetHeaderSize() const;
  // Expands a list-line template through GetVariable (implemented with the templates in format/).
  std::string Format(const std::string& templateText) const;

  std::string archivePath;
  uint32_t headerOffset = 0;
  uint32_t dataOffset = 0;
  uint16_t versionMadeBy = 0;
  uint16_t versionNeeded = 0;
  uint16_t flags = 0;
  uint16_t method = 0;
  uint16_t modTime = 0;
  uint16_t modDate = 0;
  uint32_t crc32 = 0;
  uint32_t compressedSize = 0;
  uint32_t uncompressedSize = 0;
  uint16_t nameLength = 0;
  uint16_t extraLength = 0;
  uint16_t commentLength = 0;
  uint16_t diskStart = 0;
  uint16_t internalAttributes = 0;
  uint32_t externalAttributes = 0;
  uint32_t localHeaderOffset = 0;
  std::string name;
  std::vector<uint8_t> extra;  // empty when extraLength is 0
  std::string comment;

 protected:
  // Copies every field of an already read member (Mp3File and CueFile are built this way).
  File(const File& other) = default;
  File& operator=(const File& other) = default;
};

// The leading part of `path` up to and including its last '\' or '/' (lead-byte aware);
// empty when the only separator is at index 0 or there is none.
std::string GetFolderPart(const std::string& path);
