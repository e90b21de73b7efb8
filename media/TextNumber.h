// Reading a number that leads a tag text, as tag readers have always done it.
#pragma once
#include <cstdint>
#include <string>

namespace media {

// The leading decimal integer of `text`: leading white space and one sign allowed, digits up to
// the first other byte; 0 when there are no digits. Values beyond 32 bits saturate instead of
// overflowing.
int32_t ParseLeadingInt(const std::string& text);

}  // namespace media
