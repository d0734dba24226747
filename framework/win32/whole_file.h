// Files read and written whole. A write goes to a temporary file in the same
// folder, which then replaces the target: a failure leaves the old file as it
// was and no half-written one.
#pragma once

#include <string>

// On failure `reason` says why, in the system's words.
bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& reason);
// At most `limit` bytes from the start of the file.
bool ReadFileStart(const std::string& path, size_t limit, std::string& bytes, std::string& reason);

// The folder of a file's path ("C:\\setups" of "C:\\setups\\a.scpi", "C:\\" of
// "C:\\a.scpi"); "" for a bare name.
std::string FolderOf(const std::string& path);

// The system's text for an error code, without the line end.
std::string SystemErrorText(unsigned long error);
