#include "tools/trackcase_info_report.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#include "tools/trackcase_info_listline.h"
#include "tools/trackcase_info_text.h"

std::string FormatTime(uint32_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%lu:%02lu.%03lu", static_cast<unsigned long>(ms / 60000),
                static_cast<unsigned long>(ms / 1000 % 60), static_cast<unsigned long>(ms % 1000));
  return text;
}

const char* StatusDescription(int status) {
  switch (status) {
    case StatusCannotOpen: return "the file cannot be opened";
    case StatusNotZip: return "not a ZIP archive (no local header at its start)";
    case StatusBadHeader: return "damaged ZIP archive (its end record or a header cannot be read)";
    case StatusNoStoredMember: return "no stored member: listed, but nothing to play";
    case StatusPlayable: return "playable zip.mp3 archive";
  }
  return "unknown status";
}

const char* MethodName(uint16_t method) {
  // The methods of PKWARE's application note that archivers write; the plug-in plays only stored data.
  switch (method) {
    case 0: return "stored";
    case 1: return "shrunk";
    case 6: return "imploded";
    case 8: return "deflated";
    case 9: return "deflate64";
    case 12: return "bzip2";
    case 14: return "lzma";
    case 93: return "zstd";
    case 98: return "ppmd";
  }
  return "compressed";
}

int ExitCodeFor(int status) { return status == StatusPlayable ? 0 : kExitStatusBase + status; }

void PrintSummary(std::ostream& out, const ZipFile& archive) {
  out << "archive\t" << ShownArgument(archive.GetArchivePath()) << "\n"
      << "status\t" << archive.status << " " << StatusDescription(archive.status) << "\n"
      << "size\t" << archive.fileSize << "\n"
      << "members\t" << archive.GetCount() << " of " << archive.entryCount << "\n"
      << "play time\t" << FormatTime(archive.GetPlayTime()) << "\n";
}

void PrintHeader(std::ostream& out) {
  out << "index\tname\tfolder\tfile\tmethod\tcompressed\tuncompressed\tdata offset\tplay time\tstart time\n";
}

void PrintMemberRow(std::ostream& out, const ZipFile& archive, int index) {
  const File* member = archive.GetMember(index);
  if (!member) return;
  // Start times exist only after a complete read.
  const std::string start = archive.startTimes.empty() ? "-" : FormatTime(archive.GetStartTime(index));
  out << index << "\t" << Shown(member->GetPath()) << "\t" << Shown(member->GetFolder()) << "\t"
      << Shown(member->GetFileName()) << "\t" << member->method << " " << MethodName(member->method) << "\t" << member->compressedSize << "\t" << member->uncompressedSize << "\t"
      << member->dataOffset << "\t" << FormatTime(member->GetPlayTime()) << "\t" << start << "\n";
}

void PrintTagHeader(std::ostream& out) { out << "index\ttitle\tartist\talbum\tyear\ttrack\tgenre\tcomment\n"; }

void PrintTagRow(std::ostream& out, const ZipFile& archive, int index) {
  const File* member = archive.GetMember(index);
  if (!member || !member->HasTag()) return;
  const TagInfo tag = member->GetTag();
  out << index << "\t" << Shown(tag.title) << "\t" << Shown(tag.artist) << "\t" << Shown(tag.album) << "\t"
      << tag.year << "\t" << tag.trackNumber << "\t" << tag.genre << "\t" << Shown(tag.comment) << "\n";
}

int RunInfo(const InfoOptions& options, std::ostream& out) {
  ZipFile archive(options.archivePath);
  archive.Read();
  PrintSummary(out, archive);
  PrintHeader(out);
  for (int i = 0; i < archive.GetCount(); ++i) PrintMemberRow(out, archive, i);
  out << "\n";
  PrintListLines(out, archive);
  // Every section is printed, empty or not, so that scripts can rely on the report's shape.
  out << "\n";
  PrintTagHeader(out);
  for (int i = 0; i < archive.GetCount(); ++i) PrintTagRow(out, archive, i);
  return ExitCodeFor(archive.status);
}

std::string OpenFailureReason(const std::string& path) {
#ifdef _WIN32
  // A folder fails here too, as the system says ("Access is denied").
  DWORD error = ERROR_SUCCESS;
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) error = GetLastError();
  else CloseHandle(file);
  if (error == ERROR_SUCCESS) return "it cannot be read";
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                      text, sizeof text, nullptr);
  std::string reason(text, length);
  while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' ' || reason.back() == '.')) {
    reason.pop_back();
  }
  return reason.empty() ? "error " + std::to_string(error) : reason;
#else
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return std::strerror(errno);
  struct stat info {};
  int error = 0;
  char byte = 0;
  if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) error = EISDIR;
  else if (read(fd, &byte, 1) < 0) error = errno;
  close(fd);
  return error != 0 ? std::strerror(error) : "it cannot be read";
#endif
}
