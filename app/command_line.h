// The three options of the command line, found by substring search in a
// lower-case copy of the whole line: "-a NAME" (or "/a"), "-n" ("/n"), "-r" ("/r").
#pragma once

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
