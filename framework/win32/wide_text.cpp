#include "framework/win32/wide_text.h"

#include <windows.h>

namespace {

std::wstring Decoded(UINT codePage, DWORD flags, const std::string& text) {
  int size = static_cast<int>(text.size());
  int length = ::MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(length, L'\0');
  ::MultiByteToWideChar(codePage, flags, text.data(), size, &wide[0], length);
  return wide;
}

std::string Encoded(UINT codePage, const std::wstring& text) {
  int size = static_cast<int>(text.size());
  int length = ::WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string narrow(length, '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), size, &narrow[0], length, nullptr, nullptr);
  return narrow;
}

}  // namespace

std::wstring Widened(const std::string& text) {
  if (text.empty()) return {};
  std::wstring wide = Decoded(CP_UTF8, MB_ERR_INVALID_CHARS, text);
  return wide.empty() ? Decoded(CP_ACP, 0, text) : wide;
}

std::string Utf8Of(const std::wstring& text) { return Encoded(CP_UTF8, text); }

std::string InCodePage(const std::wstring& text) { return Encoded(CP_ACP, text); }
