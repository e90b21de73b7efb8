#include "archive/StartTimes.h"

std::vector<uint32_t> BuildStartTimes(const std::vector<std::unique_ptr<File>>& members) {
  std::vector<uint32_t> times;
  times.reserve(members.size() + 1);
  uint32_t time = 0;
  times.push_back(time);
  for (const auto& member : members) {
    time += member->GetPlayTime();  // unsigned wrap-around, see the header
    times.push_back(time);
  }
  return times;
}
