// Where stored members become specialised records while ZipFile::Read walks the directory.
// ZipFile::Read classifies each stored member (MemberKind.h) and calls, in this order:
//   PromoteMp3Member for every stored ".mp3" member,
//   HoldCueSheet     for every stored ".cue" member (the member itself stays in the list),
//   ApplyCueSheet    once, after the walk and before the start times are built.
#pragma once
#include <memory>
#include <vector>

#include "archive/ArchiveReader.h"
#include "archive/File.h"

// Turns a stored MP3 member into its analysed record, or returns it unchanged. The analysis reads
// through `reader`, the archive's open reader.
std::unique_ptr<File> PromoteMp3Member(std::unique_ptr<File> member, ArchiveReader& reader);

// Replaces `pendingSheet` (destroying any earlier one) with the sheet read from `member`;
// only the last sheet of the directory is applied.
void HoldCueSheet(const File& member, std::unique_ptr<File>& pendingSheet, ArchiveReader& reader);

// Applies the pending sheet, if any, to the MP3 members' play times, then discards it.
void ApplyCueSheet(std::unique_ptr<File>& pendingSheet, std::vector<std::unique_ptr<File>>& members);
