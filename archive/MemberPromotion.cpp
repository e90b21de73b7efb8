#include "archive/MemberPromotion.h"

#include "media/CueFile.h"
#include "media/Mp3File.h"

std::unique_ptr<File> PromoteMp3Member(std::unique_ptr<File> member, ArchiveReader& reader) {
  if (!member) return member;
  auto mp3 = std::make_unique<Mp3File>(*member);
  mp3->ReadFrom(reader);  // its result is not consulted: a member without audio simply has no time
  return mp3;
}

void HoldCueSheet(const File& member, std::unique_ptr<File>& pendingSheet, ArchiveReader& reader) {
  auto sheet = std::make_unique<CueFile>(member);
  sheet->ReadTextFrom(reader);
  pendingSheet = std::move(sheet);  // an earlier sheet is destroyed: only the last one applies
}

void ApplyCueSheet(std::unique_ptr<File>& pendingSheet, std::vector<std::unique_ptr<File>>& members) {
  if (const auto* sheet = dynamic_cast<const CueFile*>(pendingSheet.get())) sheet->ApplyTo(members);
  pendingSheet.reset();
}
