// Reads an in-memory archive through ZipFile, the way the plug-in meets MP3 members.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "archive/ZipFile.h"
#include "media/Mp3File.h"
#include "support/ZipWriter.h"

inline std::unique_ptr<ZipFile> ReadArchive(const std::vector<ZipEntry>& entries) {
  static int counter = 0;
  const std::string path = WriteTempFile("media_" + std::to_string(++counter) + ".zip.mp3", BuildZip(entries));
  auto zip = std::make_unique<ZipFile>(path);
  zip->Read();
  return zip;
}

inline const Mp3File* Mp3At(const ZipFile& zip, int index) { return dynamic_cast<const Mp3File*>(zip.GetMember(index)); }

// The one MP3 member of an archive made of `data` alone.
struct SingleMember {
  explicit SingleMember(const std::string& data, const std::string& name = "a.mp3")
      : zip(ReadArchive({{name, data}})), mp3(Mp3At(*zip, 0)) {}
  std::unique_ptr<ZipFile> zip;
  const Mp3File* mp3;
};
