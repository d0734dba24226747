// Files read and written whole, by paths in UTF-8. A write goes to a temporary
// file in the same folder, which then replaces the target: a failure leaves the
// old file as it was and no half-written one. Paths longer than Windows takes
// are refused before anything is written.
#pragma once

#include <cstdio>
#include <string>

// On failure `reason` says why, in the system's words.
bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& reason);
// At most `limit` bytes from the start of a file on disk: a device ("COM1",
// "NUL"), a pipe or a folder is refused without being read.
bool ReadFileStart(const std::string& path, size_t limit, std::string& bytes, std::string& reason);
// A disk file opened for appending, or null with the reason.
std::FILE* OpenForAppending(const std::string& path, std::string& reason);

bool FileExists(const std::string& path);

// The folder of a file's path ("C:\\setups" of "C:\\setups\\a.scpi", "C:\\" of
// "C:\\a.scpi"); "" for a bare name.
std::string FolderOf(const std::string& path);

// The system's text for an error code, without the line end.
std::string SystemErrorText(unsigned long error);
