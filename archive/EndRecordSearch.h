// The search for the end-of-central-directory record, backwards from the end of the archive in
// chunks of 4096 bytes. Of the signatures in the window, the record taken is the highest one
// whose comment length reaches exactly to the end of the file; when none does, the highest one
// whose 22 bytes lie inside the file. So an end record inside the last member's data (a ZIP
// stored in the archive) or inside the archive comment does not hide the archive's own.
#pragma once
#include <cstddef>
#include <cstdint>

namespace zip {

constexpr uint32_t kSearchChunkSize = 4096;
// 65535 bytes of archive comment, the 22-byte record and one byte.
constexpr uint32_t kSearchWindow = 65558;

// Reads up to `count` bytes at `offset` into `destination`; returns how many it read, or -1
// when it cannot move to `offset`. A plain function and its context, no type erasure.
struct ReadAtFunction {
  long long (*function)(void* context, uint32_t offset, uint8_t* destination, size_t count);
  void* context;
  long long operator()(uint32_t offset, uint8_t* destination, size_t count) const {
    return function(context, offset, destination, count);
  }
};

// Reads through `source`, any object callable as ReadAtFunction is; it must outlive the search.
template <typename Source>
ReadAtFunction ReadThrough(const Source& source) {
  return {[](void* context, uint32_t offset, uint8_t* destination, size_t count) -> long long {
            return (*static_cast<const Source*>(context))(offset, destination, count);
          },
          const_cast<Source*>(&source)};
}

// Finds the record in an archive of `fileSize` bytes; false when no record lies in the window.
bool FindEndRecord(uint32_t fileSize, const ReadAtFunction& readAt, uint32_t& endRecordOffset);

}  // namespace zip
