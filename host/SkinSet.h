// The host's skins: one folder per skin under Skins beside the executable. The current skin's
// folder and name are what the host answers to the skin query.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace host {

struct SkinColors {
  uint32_t normal = 0x0000FF00;      // 0x00BBGGRR
  uint32_t current = 0x00FFFFFF;
  uint32_t normalBg = 0x00000000;
  uint32_t selectedBg = 0x00FF0000;
};

class SkinSet {
 public:
  // Lists the sub-folders of root (sorted by name) and makes the first one current.
  void Scan(const std::string& root);
  const std::vector<std::string>& Names() const { return names_; }
  // False when no skin of that name exists; the current skin then stays.
  bool Select(const std::string& name);
  bool SelectIndex(int index);
  int CurrentIndex() const { return current_; }
  // Folder of the current skin without a trailing separator; empty when there is none.
  std::string CurrentFolder() const;
  // Name of the current skin; the pointer stays valid until the next Scan.
  const char* CurrentName() const;
  // The playlist colours of the current skin's Pledit.txt, defaults where missing.
  SkinColors CurrentColors() const;

 private:
  std::string root_;
  std::vector<std::string> names_;
  int current_ = -1;
};

// "#RRGGBB" to 0x00BBGGRR; fallback for anything else.
uint32_t ParseHostColor(const std::string& text, uint32_t fallback);

}  // namespace host
