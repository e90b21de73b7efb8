#include "host/MessageLog.h"

namespace host {

MessageLog::~MessageLog() {
  if (file_) std::fclose(file_);
}

bool MessageLog::Open(const std::string& path) {
  if (file_) std::fclose(file_);
  file_ = std::fopen(path.c_str(), "wb");
  return file_ != nullptr;
}

void MessageLog::User(uint32_t realMs, uint32_t clockMs, long code, long long wParam, long long result,
                      const char* text, const char* text2) {
  if (!file_) return;
  std::fprintf(file_, "%lu %lu user %ld %lld %lld", static_cast<unsigned long>(realMs),
               static_cast<unsigned long>(clockMs), code, wParam, result);
  if (text) std::fprintf(file_, " \"%s\"", text);
  if (text2) std::fprintf(file_, " \"%s\"", text2);
  std::fputc('\n', file_);
  // Flushed per line so the record survives a plug-in that brings the host down.
  std::fflush(file_);
}

void MessageLog::Command(uint32_t realMs, uint32_t clockMs, unsigned id) {
  if (!file_) return;
  std::fprintf(file_, "%lu %lu command %u\n", static_cast<unsigned long>(realMs),
               static_cast<unsigned long>(clockMs), id);
  std::fflush(file_);
}

void MessageLog::Note(const std::string& text) {
  if (!file_) return;
  std::fprintf(file_, "# %s\n", text.c_str());
  std::fflush(file_);
}

}  // namespace host
