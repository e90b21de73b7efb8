#include "format/ListLine.h"

#include "settings/Settings.h"

bool ArtistsDiffer(const std::vector<std::unique_ptr<File>>& members) {
  if (!g_settings.useCompilation) return false;
  std::string reference;
  for (const std::unique_ptr<File>& member : members) {
    if (!member || !member->HasTag()) continue;
    const std::string artist = member->GetTag().artist;
    if (reference.empty()) {
      // An empty artist leaves the reference empty, so the next tagged member sets it.
      reference = artist;
    } else if (artist != reference) {
      return true;
    }
  }
  return false;
}

std::string MakeListLine(const File& member, bool artistsDiffer) {
  const bool tagged = member.HasTag();
  if (artistsDiffer && tagged) return member.Format(g_settings.Compilation);
  if (g_settings.useID3 && tagged) return member.Format(g_settings.ID3);
  return member.Format(g_settings.Normal);
}
