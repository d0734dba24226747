// The three options of the command line, found by substring search in a
// lower-case copy of the whole line: "-a NAME" (or "/a"), "-n" ("/n"), "-r" ("/r").
#pragma once

#include <optional>
#include <string>

struct CCommandLine {
  explicit CCommandLine(const std::string& line);

  bool HasOption(char letter) const;  // "-x" or "/x" anywhere

  std::string m_lower;          // the lower-case copy
  bool m_named = false;         // "-a": open this resource, no search
  std::string m_resourceName;   // the word after "-a", upper case
  bool m_chooseAny = false;     // "-n": accept any resource and always ask
  bool m_reset = false;         // "-r": reset when the driver opens the session
};

// The text after the program name of a whole command line, as the system
// gives it: a quoted name runs to its closing quote, another to the first blank.
std::wstring ArgumentsOf(const std::wstring& wholeLine);

// The options that make a station ready to work, each with a file name that
// is quoted when it holds blanks: "/setup FILE" (recalled after the start-up
// Sync) and "/log FILE" (every call logged from the first on), also spelt
// with "-" and in any case.
struct CStationOptions {
  std::optional<std::wstring> m_setupFile;
  std::optional<std::wstring> m_logFile;
  std::wstring m_rest;  // the line without them, for the option search
};
// Takes the station options and their files out of the line, so that a file
// name holding "-a", "-r" or "-n" cannot pick a resource, reset or ask.
CStationOptions TakeStationOptions(const std::wstring& arguments);
