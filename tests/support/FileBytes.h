// A whole file's bytes, for the tests and benchmarks that compare what was written.
#pragma once
#include <fstream>
#include <sstream>
#include <string>

// Empty when the file cannot be read.
inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}
