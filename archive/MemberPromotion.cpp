#include "archive/MemberPromotion.h"

// Until the MP3 and CUE records exist, every member stays a plain member and no sheet is kept.

std::unique_ptr<File> PromoteMp3Member(std::unique_ptr<File> member) { return member; }

void HoldCueSheet(const File& /*member*/, std::unique_ptr<File>& pendingSheet) { pendingSheet.reset(); }

void ApplyCueSheet(std::unique_ptr<File>& pendingSheet, std::vector<std::unique_ptr<File>>& /*members*/) {
  pendingSheet.reset();
}
