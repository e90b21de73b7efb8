// The choice of template for each line of the track list, by the List settings (g_settings).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "archive/File.h"

// True when useCompilation is set and the tagged members name different artists: the first
// non-empty artist is the reference, and any later tagged member whose artist differs from it
// (byte for byte, an empty artist included) makes the difference. Null entries are skipped.
bool ArtistsDiffer(const std::vector<std::unique_ptr<File>>& members);

// The list line of one member: the Compilation template for a tagged member of a mixed-artist
// archive, else the ID3 template for a tagged member when useID3 is set, else the Normal template.
std::string MakeListLine(const File& member, bool artistsDiffer);
