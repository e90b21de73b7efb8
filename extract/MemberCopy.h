// Copies the bytes of one archive member, exactly as they lie in the archive, to a file.
#pragma once
#include <cstdint>
#include <string>

#include "platform/WideString.h"

class File;

// Bytes copied per read and write: not a page multiple, but the step extraction has always
// taken, so a copy reads and writes as it always did.
constexpr uint32_t kCopyChunkSize = 4048;

// Copies `member`'s compressedSize bytes from dataOffset of its archive to `outputPath`.
// The bytes go to a fresh temporary file in the output's folder, which replaces `outputPath` only
// once the whole member is in it; otherwise it is deleted, so an existing file is never emptied or
// cut short. Nothing is written when MayWriteTarget (extract/TargetCheck.h) refuses the output: when
// it is the member's own archive or `keepPath`, or an existing protected or special file.
// Returns true when `outputPath` now holds the whole member.
bool CopyMemberToFile(const File& member, const std::string& outputPath, const std::string& keepPath = std::string());
// The same with the archive and the paths known by their UTF-16 names (`archivePath` in place of
// the member's ANSI one), for names the ANSI code page cannot spell.
bool CopyMemberToFile(const File& member, const WideString& archivePath, const WideString& outputPath,
                      const WideString& keepPath);
