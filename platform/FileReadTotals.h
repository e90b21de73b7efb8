// The counters behind GetFileReadTotals, bumped by both file source implementations.
#pragma once
#include <cstdint>

#include "platform/FileSource.h"

void CountFileOpen();
void CountFileRead(uint64_t bytes);
