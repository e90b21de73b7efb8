#include "archive/DataRanges.h"

#include <iterator>

bool DataRanges::Claim(uint32_t offset, uint32_t length) {
  if (length == 0) return true;
  const uint64_t start = offset;
  const uint64_t end = start + length;  // 64-bit: no wrap near 4 GiB
  // The first range starting at or after `start`, and the one before it.
  const auto next = ranges_.lower_bound(start);
  if (next != ranges_.end() && next->first < end) return false;
  if (next != ranges_.begin() && std::prev(next)->second > start) return false;
  ranges_.emplace_hint(next, start, end);
  return true;
}
