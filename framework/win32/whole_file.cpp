#include "framework/win32/whole_file.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <optional>

#include "framework/win32/wide_text.h"

namespace {

// Without the long-path prefix Windows takes MAX_PATH - 1 characters, and a
// temporary file's folder 14 fewer (GetTempFileName).
constexpr size_t kLongestPath = MAX_PATH - 1;
constexpr size_t kLongestTemporaryFolder = MAX_PATH - 14;

bool Failed(std::string& reason) {
  reason = SystemErrorText(::GetLastError());
  return false;
}

bool Refused(std::string& reason, std::string why) {
  reason = std::move(why);
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

std::wstring FolderOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  return slash == 0 || path[slash - 1] == L':' ? path.substr(0, slash + 1) : path.substr(0, slash);
}

// The reserved name of a device that a file name stands for ("com1.scpi" is COM1).
std::optional<std::string> DeviceName(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/:");
  std::wstring name = path.substr(slash == std::wstring::npos ? 0 : slash + 1);
  name = name.substr(0, name.find(L'.'));
  while (!name.empty() && name.back() == L' ') name.pop_back();
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(c));
  static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  for (const wchar_t* device : kDevices)
    if (name == device) return Utf8Of(name);
  bool numbered = name.size() == 4 && (name.compare(0, 3, L"COM") == 0 || name.compare(0, 3, L"LPT") == 0) &&
                  name[3] >= L'1' && name[3] <= L'9';
  if (numbered) return Utf8Of(name);
  return std::nullopt;
}

// Why a path cannot name a disk file, or nothing.
std::optional<std::string> PathFault(const std::wstring& path) {
  if (path.size() > kLongestPath)
    return "the path is " + std::to_string(path.size()) + " characters long; Windows takes at most " +
           std::to_string(kLongestPath);
  if (std::optional<std::string> device = DeviceName(path))
    return *device + " is the name of a device, not of a file";
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::string("it is a folder, not a file");
  return std::nullopt;
}

}  // namespace

std::string FolderOf(const std::string& path) { return Utf8Of(FolderOf(Widened(path))); }

std::string SystemErrorText(unsigned long error) {
  wchar_t text[512] = L"";
  DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  text, sizeof text / sizeof text[0], nullptr);
  std::string reason = Utf8Of(std::wstring(text, length));
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
    reason.pop_back();
  return reason.empty() ? "error " + std::to_string(error) : reason;
}

bool FileExists(const std::string& path) {
  return ::GetFileAttributesW(Widened(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& reason) {
  std::wstring target = Widened(path);
  if (std::optional<std::string> fault = PathFault(target)) return Refused(reason, *fault);
  std::wstring folder = FolderOf(target);
  if (folder.size() > kLongestTemporaryFolder)
    return Refused(reason, "the folder's path is " + std::to_string(folder.size()) +
                               " characters long; a file is saved safely in a folder of at most " +
                               std::to_string(kLongestTemporaryFolder));
  // Windows refuses to replace a read-only file; say so before writing anything.
  DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    return Refused(reason, SystemErrorText(ERROR_ACCESS_DENIED));
  wchar_t temporary[MAX_PATH];
  if (::GetTempFileNameW(folder.empty() ? L"." : folder.c_str(), L"sfp", 0, temporary) == 0) return Failed(reason);
  HANDLE file = ::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool written = file != INVALID_HANDLE_VALUE && WriteAll(file, bytes);
  DWORD error = ::GetLastError();
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  if (written && ::MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  if (written) error = ::GetLastError();
  ::DeleteFileW(temporary);
  reason = SystemErrorText(error);
  return false;
}

bool ReadFileStart(const std::string& path, size_t limit, std::string& bytes, std::string& reason) {
  std::wstring source = Widened(path);
  if (std::optional<std::string> fault = PathFault(source)) return Refused(reason, *fault);
  HANDLE file = ::CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Failed(reason);
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    return Refused(reason, "it is not a file on a disk");
  }
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

std::FILE* OpenForAppending(const std::string& path, std::string& reason) {
  std::wstring target = Widened(path);
  if (std::optional<std::string> fault = PathFault(target)) {
    reason = *fault;
    return nullptr;
  }
  std::FILE* file = ::_wfopen(target.c_str(), L"ab");
  if (file == nullptr) reason = SystemErrorText(::GetLastError());
  return file;
}
