// The archives the benchmarks open, built in memory: members that look like real tracks (an
// ID3v2 tag with the six texts, CBR frames, an ID3v1 tag), optionally with a cover picture.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/ZipWriter.h"

namespace bench {

inline std::string Be32(uint32_t v) {
  return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                     static_cast<char>(v)};
}

inline std::string Frame(const char* id, const std::string& body) {
  return std::string(id, 4) + Be32(static_cast<uint32_t>(body.size())) + std::string(2, '\0') + body;
}

inline std::string Syncsafe(uint32_t v) {
  return std::string{static_cast<char>((v >> 21) & 0x7F), static_cast<char>((v >> 14) & 0x7F),
                     static_cast<char>((v >> 7) & 0x7F), static_cast<char>(v & 0x7F)};
}

// One member: `frames` frames of 417 bytes at 128 kbit/s; a picture of `pictureBytes` when not 0;
// with `info`, the first frame is an Info frame that counts the others, as lame writes it.
inline std::string Track(int number, int frames, size_t pictureBytes, bool info = false) {
  const std::string text = std::string(1, '\0');
  std::string body = Frame("TIT2", text + "Track " + std::to_string(number)) + Frame("TPE1", text + "Artist") +
                     Frame("TALB", text + "Album") + Frame("TYER", text + "2024") +
                     Frame("TRCK", text + std::to_string(number)) + Frame("COMM", text + "eng" + text + "note");
  if (pictureBytes > 0) body += Frame("APIC", text + "image/jpeg" + text + '\x03' + text + std::string(pictureBytes, 'P'));
  body += std::string(256, '\0');  // padding, as tag writers leave
  std::string track = "ID3" + std::string{3, 0, 0} + Syncsafe(static_cast<uint32_t>(body.size())) + body;
  std::string frame(417, '\0');
  frame[0] = '\xFF';
  frame[1] = '\xFB';
  frame[2] = '\x90';
  for (int i = 0; i < frames; ++i) {
    if (i == 0 && info) {
      std::string first = frame;
      first.replace(36, 12, "Info" + Be32(1) + Be32(static_cast<uint32_t>(frames - 1)));
      track += first;
    } else {
      track += frame;
    }
  }
  std::string v1 = "TAG" + std::string(125, '\0');
  v1[127] = 12;
  return track + v1;
}

inline std::string BuildArchive(int members, int frames, size_t pictureBytes, bool info = false) {
  std::vector<ZipEntry> entries;
  entries.reserve(static_cast<size_t>(members));
  for (int i = 0; i < members; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "disc%d/%04d track.mp3", i / 100, i + 1);
    entries.emplace_back(name, Track(i + 1, frames, pictureBytes, info));
  }
  return BuildZip(entries);
}

}  // namespace bench
