// The 128-byte ID3v1 block (with the ID3v1.1 track byte) at the end of an MP3 member.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace media {

constexpr size_t kId3v1Size = 128;
constexpr size_t kId3v1FieldSize = 30;

struct Id3v1Tag {
  std::string title;
  std::string artist;
  std::string album;
  int32_t year = 0;
  std::string comment;
  int32_t trackNumber = -1;  // -1 when the block carries no ID3v1.1 track number
  int32_t genre = 0;
};

// A 30-byte text field: the bytes up to the first zero byte; only a field that fills all 30
// bytes loses its trailing spaces.
std::string TrimField(const uint8_t* field);

// Decodes `block` when it holds at least 128 bytes starting with "TAG"; false otherwise.
bool ParseId3v1(const uint8_t* block, size_t size, Id3v1Tag& tag);

}  // namespace media
