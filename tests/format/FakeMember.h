// A member whose tag and variable answers are set by the test, standing in for an analysed MP3
// member. Names it was not given fall back to the plain member's answers (FILE_NAME, FILE_PATH).
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "archive/File.h"

class FakeMember : public File {
 public:
  explicit FakeMember(const std::string& memberName) : File("C:/music/a.zip.mp3", 0) {
    name = memberName;
    nameLength = static_cast<uint16_t>(memberName.size());
  }

  bool HasTag() const override { return tagged; }
  TagInfo GetTag() const override { return tag; }
  std::string GetVariable(const std::string& variable) const override {
    asked.push_back(variable);
    const auto found = variables.find(variable);
    if (tagged && found != variables.end()) return found->second;
    return File::GetVariable(variable);
  }

  bool tagged = false;
  TagInfo tag;
  std::map<std::string, std::string> variables;
  mutable std::vector<std::string> asked;
};

// A tagged member with the variables an analysed member would answer for these values.
inline std::unique_ptr<FakeMember> TaggedMember(const std::string& memberName, const std::string& artist,
                                                const std::string& title, const std::string& trackNumber2) {
  auto member = std::make_unique<FakeMember>(memberName);
  member->tagged = true;
  member->tag.artist = artist;
  member->tag.title = title;
  member->variables = {{"ARTIST_NAME", artist}, {"TRACK_NAME", title}, {"TRACK_NUMBER2", trackNumber2}};
  return member;
}
