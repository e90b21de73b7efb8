// Builders for the byte structures the tests and the benchmarks feed in: ID3v2 tags and frames,
// ID3v1 blocks, MPEG frames, VBR header frames and whole members. Each returns bytes in a
// std::string, ready for ZipWriter.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace build {

inline std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

inline std::string BigEndian32(uint32_t v) {
  return Bytes({static_cast<int>(v >> 24), static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>(v & 0xFF)});
}

inline std::string Syncsafe(uint32_t v) {
  return Bytes({static_cast<int>((v >> 21) & 0x7F), static_cast<int>((v >> 14) & 0x7F),
                static_cast<int>((v >> 7) & 0x7F), static_cast<int>(v & 0x7F)});
}

// A 2.3 frame: four-character ID, big-endian size, flags.
inline std::string Frame(const std::string& id, const std::string& body, uint16_t flags = 0) {
  return id.substr(0, 4) + BigEndian32(static_cast<uint32_t>(body.size())) + Bytes({flags >> 8, flags & 0xFF}) + body;
}

// A 2.4 frame: as in 2.3, the size syncsafe.
inline std::string Frame24(const std::string& id, const std::string& body, uint16_t flags = 0) {
  return id.substr(0, 4) + Syncsafe(static_cast<uint32_t>(body.size())) + Bytes({flags >> 8, flags & 0xFF}) + body;
}

// A 2.2 frame: three-character ID, 24-bit size.
inline std::string Frame22(const std::string& id, const std::string& body) {
  const auto n = static_cast<uint32_t>(body.size());
  return id.substr(0, 3) + Bytes({static_cast<int>(n >> 16), static_cast<int>((n >> 8) & 0xFF), static_cast<int>(n & 0xFF)}) +
         body;
}

// The tag header and the body as given (frames, padding, extended header).
inline std::string Tag(const std::string& body, int major = 3, int revision = 0, int flags = 0) {
  return "ID3" + Bytes({major, revision, flags}) + Syncsafe(static_cast<uint32_t>(body.size())) + body;
}

// Inserts 0x00 after every 0xFF, as a tag writer does for the unsynchronisation flag.
inline std::string Unsynchronise(const std::string& body) {
  std::string out;
  for (char c : body) {
    out += c;
    if (static_cast<unsigned char>(c) == 0xFF) out += '\0';
  }
  return out;
}

inline std::string Utf16Le(const std::u16string& text) {
  std::string out;
  for (char16_t u : text) out += Bytes({u & 0xFF, u >> 8});
  return out;
}

// Text frame bodies: encoding 0 (bytes as they are) and encoding 1 (UTF-16LE with its mark and
// a terminating zero unit).
inline std::string Latin(const std::string& text) { return std::string(1, '\0') + text; }
inline std::string Utf8(const std::string& text) { return std::string(1, '\3') + text; }
inline std::string Utf16(const std::u16string& text) {
  return Bytes({0x01, 0xFF, 0xFE}) + Utf16Le(text) + Bytes({0, 0});
}

// Comment frame bodies: encoding, language "jpn", description, text.
inline std::string CommentUtf16(const std::u16string& description, const std::u16string& text) {
  return Bytes({0x01}) + "jpn" + Bytes({0xFF, 0xFE}) + Utf16Le(description) + Bytes({0, 0}) + Bytes({0xFF, 0xFE}) +
         Utf16Le(text);
}
inline std::string CommentLatin(const std::string& description, const std::string& text,
                                const std::string& language = "jpn") {
  return std::string(1, '\0') + language + description + std::string(1, '\0') + text;
}

// A 128-byte ID3v1 block; fields longer than their room are cut, shorter ones zero-filled.
// track < 0 writes an ID3v1.0 comment padded with spaces to 30 bytes (no track byte).
inline std::string Id3v1(const std::string& title, const std::string& artist, const std::string& album,
                         const std::string& year, const std::string& comment, int track, int genre) {
  auto field = [](const std::string& s, size_t n) {
    std::string f = s.substr(0, n);
    f.resize(n, '\0');
    return f;
  };
  std::string block = "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field(year, 4);
  if (track < 0) {
    std::string padded = comment.substr(0, 30);
    padded.resize(30, ' ');
    block += padded;
  } else {
    block += field(comment, 28) + Bytes({0, track});
  }
  return block + Bytes({genre});
}

inline std::string LittleEndian32(uint32_t v) {
  return Bytes({static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF),
                static_cast<int>(v >> 24)});
}

// An APEv2 tag holding `items` (taken as they are), with or without its leading header.
inline std::string Ape(const std::string& items, bool withHeader, uint32_t sizeOverride = 0) {
  const uint32_t size = sizeOverride ? sizeOverride : static_cast<uint32_t>(items.size() + 32);
  const auto block = [&](uint32_t flags) {
    return "APETAGEX" + LittleEndian32(2000) + LittleEndian32(size) + LittleEndian32(1) + LittleEndian32(flags) +
           std::string(8, '\0');
  };
  const uint32_t hasHeader = withHeader ? 0x80000000u : 0;
  return (withHeader ? block(hasHeader | 0x20000000u) : std::string()) + items + block(hasHeader);
}

// A Lyrics3 v2 block: "LYRICSBEGIN", the fields, the six-digit size, "LYRICS200".
inline std::string Lyrics3(const std::string& fields) {
  const std::string body = "LYRICSBEGIN" + fields;
  char digits[8];
  std::snprintf(digits, sizeof digits, "%06u", static_cast<unsigned>(body.size()));
  return body + digits + "LYRICS200";
}

// One MPEG frame: the four header bytes, then zero bytes up to `length`.
inline std::string MpegFrame(int b2, int b3, int b4, size_t length) {
  std::string frame = Bytes({0xFF, b2, b3, b4});
  frame.resize(length < 4 ? 4 : length, '\0');
  return frame;
}

// A member of `size` bytes that begins like a stream: a header, the next header `length` bytes on
// (the first frame's length, which it confirms), zeros elsewhere.
inline std::string ConfirmedHeader(int b2, int b3, size_t length, size_t size) {
  std::string member = MpegFrame(b2, b3, 0x00, length) + MpegFrame(b2, b3, 0x00, 4);
  member.resize(size < member.size() ? member.size() : size, '\0');
  return member;
}

// MPEG-1 Layer III, 44.1 kHz, stereo, no CRC: 0xFB; bitrate index in the high nibble of b3.
constexpr int kMpeg1Layer3 = 0xFB;
constexpr int kMpeg2Layer3 = 0xF3;
constexpr int kMpeg25Layer3 = 0xE3;
// 128 kbit/s at 44.1 kHz: frames of 417 bytes (418 with padding).
constexpr int kRate128 = 0x90;

// A first frame carrying a "Xing" (or "Info") header with a frame count, MPEG-1 stereo layout;
// `flags` says which fields follow (0x01: the frame count).
inline std::string XingFrame(uint32_t frames, const std::string& magic = "Xing", int b3 = kRate128,
                             uint32_t flags = 0x0F) {
  std::string frame = MpegFrame(kMpeg1Layer3, b3, 0x00, 417);
  frame.replace(36, 12, magic + BigEndian32(flags) + BigEndian32(frames));
  return frame;
}

// `count` plain frames of 128 kbit/s.
inline std::string CbrFrames(size_t count, int b3 = kRate128, size_t length = 417) {
  std::string out;
  for (size_t i = 0; i < count; ++i) out += MpegFrame(kMpeg1Layer3, b3, 0x00, length);
  return out;
}

// A member that plays `playMs` milliseconds: silent 128 kbit/s frames of 417 bytes (the last one
// cut short), and an ID3v1.1 tag in the last 128 bytes when a title is given.
inline std::string Mp3Member(uint32_t playMs, const std::string& title = "", const std::string& artist = "",
                             int trackNumber = 0) {
  std::string bytes;
  const size_t size = static_cast<size_t>(playMs) * 16u;
  while (bytes.size() < size) bytes += MpegFrame(kMpeg1Layer3, kRate128, 0x44, 417);
  bytes.resize(size);
  const size_t cut = size % 417;
  if (cut < 4) bytes.replace(size - cut, cut, cut, '\0');  // no room for a header there
  if (!title.empty() && size >= 128 + 4) bytes.replace(size - 128, 128, Id3v1(title, artist, "", "", "", trackNumber, 0));
  return bytes;
}

// A member as a tagger and lame leave it: an ID3v2 tag with the six texts (and a cover picture
// of `pictureBytes` when not 0) and padding, `frames` frames of 128 kbit/s, of which the first is
// an Info frame that counts the others when `info` is set, and an ID3v1 tag.
inline std::string Track(int number, int frames, size_t pictureBytes, bool info = false) {
  std::string body = Frame("TIT2", Latin("Track " + std::to_string(number))) + Frame("TPE1", Latin("Artist")) +
                     Frame("TALB", Latin("Album")) + Frame("TYER", Latin("2024")) +
                     Frame("TRCK", Latin(std::to_string(number))) + Frame("COMM", CommentLatin("", "note", "eng"));
  if (pictureBytes > 0) body += Frame("APIC", Latin("image/jpeg") + '\0' + '\x03' + '\0' + std::string(pictureBytes, 'P'));
  body += std::string(256, '\0');  // padding, as tag writers leave
  std::string track = Tag(body);
  for (int i = 0; i < frames; ++i) {
    track += i == 0 && info ? XingFrame(static_cast<uint32_t>(frames - 1), "Info", kRate128, 1) : CbrFrames(1);
  }
  return track + Id3v1("", "", "", "", "", 0, 12);
}

}  // namespace build
