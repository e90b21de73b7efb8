#include "platform/FileReadTotals.h"

#include <atomic>

namespace {

std::atomic<uint64_t> g_opens{0};
std::atomic<uint64_t> g_reads{0};
std::atomic<uint64_t> g_bytes{0};

}  // namespace

void CountFileOpen() { g_opens.fetch_add(1, std::memory_order_relaxed); }

void CountFileRead(uint64_t bytes) {
  g_reads.fetch_add(1, std::memory_order_relaxed);
  g_bytes.fetch_add(bytes, std::memory_order_relaxed);
}

FileReadTotals GetFileReadTotals() {
  FileReadTotals totals;
  totals.opens = g_opens.load(std::memory_order_relaxed);
  totals.reads = g_reads.load(std::memory_order_relaxed);
  totals.bytes = g_bytes.load(std::memory_order_relaxed);
  return totals;
}
