// What trackcase-info prints: the archive's status and one tab-separated row per member.
// New columns go into PrintHeader and PrintMemberRow together, so the two stay aligned.
#pragma once
#include <cstdint>
#include <ostream>
#include <string>

#include "archive/ZipFile.h"

struct InfoOptions {
  std::string archivePath;
};

// m:ss.mmm with as many minute digits as needed (0xFFFFFFFF ms is 71582:47.295).
std::string FormatTime(uint32_t ms);
// The status in words, for people: "playable zip.mp3 archive" and so on.
const char* StatusDescription(int status);
// The ZIP compression method in words: 0 "stored", 8 "deflated", ...; "compressed" for others.
const char* MethodName(uint16_t method);

// Exit codes: 0 playable; 10 + the status for every other status.
constexpr int kExitStatusBase = 10;
int ExitCodeFor(int status);

void PrintSummary(std::ostream& out, const ZipFile& archive);
void PrintHeader(std::ostream& out);
void PrintMemberRow(std::ostream& out, const ZipFile& archive, int index);
// The tag texts, in a table of their own after the member rows: one row per tagged member.
void PrintTagHeader(std::ostream& out);
void PrintTagRow(std::ostream& out, const ZipFile& archive, int index);

// Why a file the reader could not open cannot be opened, in the system's words ("No such file or
// directory"); a generic reason when the system sees no error.
std::string OpenFailureReason(const std::string& path);

// Reads the archive and prints everything; returns the process exit code (ExitCodeFor).
int RunInfo(const InfoOptions& options, std::ostream& out);
