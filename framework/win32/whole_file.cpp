#include "framework/win32/whole_file.h"

#include <windows.h>

#include <algorithm>

namespace {

bool Failed(std::string& reason) {
  reason = SystemErrorText(::GetLastError());
  return false;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return ::FlushFileBuffers(file) != 0;
}

}  // namespace

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return {};
  return slash == 0 || path[slash - 1] == ':' ? path.substr(0, slash + 1) : path.substr(0, slash);
}

std::string SystemErrorText(unsigned long error) {
  char text[512] = "";
  DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                  0, text, sizeof text, nullptr);
  std::string reason(text, length);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
    reason.pop_back();
  return reason.empty() ? "error " + std::to_string(error) : reason;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& reason) {
  // Windows refuses to replace a read-only file; say so before writing anything.
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    reason = SystemErrorText(ERROR_ACCESS_DENIED);
    return false;
  }
  char temporary[MAX_PATH];
  std::string folder = FolderOf(path);
  if (::GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "sfp", 0, temporary) == 0) return Failed(reason);
  HANDLE file = ::CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool written = file != INVALID_HANDLE_VALUE && WriteAll(file, bytes);
  DWORD error = ::GetLastError();
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  if (written && ::MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  if (written) error = ::GetLastError();
  ::DeleteFileA(temporary);
  reason = SystemErrorText(error);
  return false;
}

bool ReadFileStart(const std::string& path, size_t limit, std::string& bytes, std::string& reason) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Failed(reason);
  bytes.assign(limit, '\0');
  size_t done = 0;
  DWORD read = 1;
  bool ok = true;
  while (ok && done < limit && read > 0) {
    ok = ::ReadFile(file, &bytes[done], static_cast<DWORD>(limit - done), &read, nullptr) != 0;
    done += read;
  }
  DWORD error = ::GetLastError();
  ::CloseHandle(file);
  bytes.resize(done);
  if (!ok) reason = SystemErrorText(error);
  return ok;
}
