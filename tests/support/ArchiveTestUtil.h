// Helpers shared by the archive and media tests: archives written to temp files and read back.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "archive/ZipFile.h"
#include "support/ZipWriter.h"

// A temp-file name unique to the running test (or suite set-up), so no case reads another's leftovers.
inline std::string TestFileName(const std::string& suffix = ".zip.mp3") {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  if (info == nullptr) return "setup" + suffix;
  return std::string(info->test_suite_name()) + "_" + info->name() + suffix;
}

// Writes `bytes` to a temp file of its own and reads it as an archive.
inline std::unique_ptr<ZipFile> ReadArchive(const std::string& bytes) {
  static int counter = 0;
  auto archive = std::make_unique<ZipFile>(WriteTempFile(TestFileName("_" + std::to_string(++counter) + ".zip.mp3"), bytes));
  archive->Read();
  return archive;
}

// `count` bytes that never contain a ZIP signature.
inline std::string Filler(size_t count, char byte = 'x') { return std::string(count, byte); }
