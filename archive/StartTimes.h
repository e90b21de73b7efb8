// The cumulative start-time table of a track list.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "archive/File.h"

// members.size() + 1 values: 0, then each previous value plus the member's play time. The sums
// wrap around at 2^32 on purpose: a CUE sheet may let the last track reach 0xFFFFFFFF.
std::vector<uint32_t> BuildStartTimes(const std::vector<std::unique_ptr<File>>& members);
