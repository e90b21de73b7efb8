#include "host/SkinSet.h"

#include <windows.h>

#include <algorithm>

namespace host {

void SkinSet::Scan(const std::string& root) {
  root_ = root;
  names_.clear();
  current_ = -1;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((root + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = fd.cFileName;
    if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..") names_.push_back(name);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  std::sort(names_.begin(), names_.end());
  if (!names_.empty()) current_ = 0;
}

bool SkinSet::Select(const std::string& name) {
  for (size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == name) return SelectIndex(static_cast<int>(i));
  return false;
}

bool SkinSet::SelectIndex(int index) {
  if (index < 0 || index >= static_cast<int>(names_.size())) return false;
  current_ = index;
  return true;
}

std::string SkinSet::CurrentFolder() const {
  if (current_ < 0) return std::string();
  return root_ + "\\" + names_[static_cast<size_t>(current_)];
}

const char* SkinSet::CurrentName() const {
  if (current_ < 0) return "";
  return names_[static_cast<size_t>(current_)].c_str();
}

SkinColors SkinSet::CurrentColors() const {
  SkinColors c;
  if (current_ < 0) return c;
  const std::string path = CurrentFolder() + "\\Pledit.txt";
  char buf[64];
  auto read = [&](const char* key, uint32_t fallback) {
    GetPrivateProfileStringA("Text", key, "", buf, sizeof buf, path.c_str());
    return ParseHostColor(buf, fallback);
  };
  c.normal = read("Normal", c.normal);
  c.current = read("Current", c.current);
  c.normalBg = read("NormalBG", c.normalBg);
  c.selectedBg = read("SelectedBG", c.selectedBg);
  return c;
}

uint32_t ParseHostColor(const std::string& text, uint32_t fallback) {
  if (text.size() != 7 || text[0] != '#') return fallback;
  uint32_t rgb = 0;
  for (size_t i = 1; i < 7; ++i) {
    const char ch = text[i];
    uint32_t v;
    if (ch >= '0' && ch <= '9') v = static_cast<uint32_t>(ch - '0');
    else if (ch >= 'a' && ch <= 'f') v = static_cast<uint32_t>(ch - 'a' + 10);
    else if (ch >= 'A' && ch <= 'F') v = static_cast<uint32_t>(ch - 'A' + 10);
    else return fallback;
    rgb = (rgb << 4) | v;
  }
  // Text order is red, green, blue; the colour value keeps red in the low byte.
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

}  // namespace host
