// Classification of a stored member by the last four bytes of its stored name.
#pragma once
#include <string>

enum class StoredMemberKind {
  Plain,     // kept as it is
  Mp3,       // ends in ".mp3" in any ASCII letter case: analysed as an MP3 member
  CueSheet,  // ends in ".cue" in any ASCII letter case: its sheet may set the MP3 play times
};

// `path` is the whole stored name; a name of four bytes or fewer (".mp3" itself) is plain.
StoredMemberKind ClassifyStoredMember(const std::string& path);
