#include "tools/trackcase_info_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#endif

namespace {

TextOutput g_output = TextOutput::Raw;

#ifdef _WIN32
std::string Recode(const std::string& text, UINT from, UINT to) {
  if (text.empty()) return text;
  const int wide = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (wide <= 0) return text;
  std::wstring utf16(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), &utf16[0], wide);
  const int bytes = WideCharToMultiByte(to, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return text;
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(to, 0, utf16.data(), wide, &out[0], bytes, nullptr, nullptr);
  return out;
}
#endif

}  // namespace

TextOutput ChooseTextOutput(bool raw) {
  if (raw) return TextOutput::Raw;
#ifdef _WIN32
  const UINT console = GetConsoleOutputCP();  // 0 without a console
  return (console != 0 && console != GetACP()) ? TextOutput::Convert : TextOutput::Raw;
#else
  std::setlocale(LC_CTYPE, "");
  const char* codeset = nl_langinfo(CODESET);
  return (codeset && std::strcmp(codeset, "UTF-8") == 0) ? TextOutput::Convert : TextOutput::Raw;
#endif
}

void SetTextOutput(TextOutput output) { g_output = output; }

std::string Shown(const std::string& text) {
  if (g_output == TextOutput::Raw) return text;
#ifdef _WIN32
  return Recode(text, CP_ACP, GetConsoleOutputCP());
#else
  return Cp932ToUtf8(text);
#endif
}

std::string ShownArgument(const std::string& text) {
#ifdef _WIN32
  return Shown(text);
#else
  return text;
#endif
}

#ifndef _WIN32
namespace {

// iconv from one character set to another; a byte that starts no character becomes '?'.
std::string IconvRecode(const std::string& text, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out;
  char buffer[256];
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    if (result == static_cast<size_t>(-1) && errno != E2BIG) {
      // No character here, none in the target set, or a sequence cut off at the end: one '?' for
      // the input character (or byte), then on.
      size_t skip = 1;
      if (std::strcmp(from, "UTF-8") == 0) {
        while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
      }
      out += '?';
      in += skip;
      inLeft -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace
#endif

std::string Taken(const std::string& text) {
#ifdef _WIN32
  return text;
#else
  return g_output == TextOutput::Convert ? IconvRecode(text, "CP932", "UTF-8") : text;
#endif
}

namespace {

bool IsUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const size_t length = byte < 0x80 ? 1 : (byte >> 5) == 0x6 ? 2 : (byte >> 4) == 0xE ? 3 : (byte >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

std::string TakenIniText(const std::string& text) {
  const std::string bom = "\xEF\xBB\xBF";
  const bool marked = text.compare(0, bom.size(), bom) == 0;
  const std::string body = marked ? text.substr(bom.size()) : text;
  if (g_output == TextOutput::Raw || !IsUtf8(body)) return text;
#ifdef _WIN32
  return Recode(body, CP_UTF8, CP_ACP);
#else
  return IconvRecode(body, "CP932", "UTF-8");
#endif
}

std::string Cp932ToUtf8(const std::string& text) {
#ifdef _WIN32
  return Recode(text, 932, CP_UTF8);
#else
  return IconvRecode(text, "UTF-8", "CP932");
#endif
}
