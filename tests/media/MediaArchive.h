// The MP3 members of archives read through ZipFile, the way the plug-in meets them.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "archive/ZipFile.h"
#include "media/Mp3File.h"
#include "support/ArchiveTestUtil.h"

inline const Mp3File* Mp3At(const ZipFile& zip, int index) { return dynamic_cast<const Mp3File*>(zip.GetMember(index)); }

// The one MP3 member of an archive made of `data` alone.
struct SingleMember {
  explicit SingleMember(const std::string& data, const std::string& name = "a.mp3")
      : zip(ReadArchive(BuildZip({{name, data}}))), mp3(Mp3At(*zip, 0)) {}
  std::unique_ptr<ZipFile> zip;
  const Mp3File* mp3;
};
