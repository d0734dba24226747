// The program keeps text, file paths among it, as UTF-8 and speaks to Windows
// in UTF-16, so that a name outside the code page is the name used.
#pragma once

#include <string>

// UTF-8 as UTF-16; text that is not UTF-8 is read in the ANSI code page.
std::wstring Widened(const std::string& text);
std::string Utf8Of(const std::wstring& text);
// In the ANSI code page, for text that goes on as it is to a library that
// takes narrow text (a VISA resource name on the command line).
std::string InCodePage(const std::wstring& text);
