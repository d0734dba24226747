// The loaded instrument driver library as the instrument layer sees it: entry
// points looked up by name. The application implements it over the loaded DLL;
// tests implement it over tables of their own functions.
#pragma once

#include <cstddef>
#include <cstring>

#include "tgq3207.h"

class CDriverLibrary {
 public:
  virtual ~CDriverLibrary() = default;
  // The entry point of that name, or null when the library lacks it.
  virtual void* FindEntryPoint(const char* name) = 0;
};

// An entry point that the program provides itself, for drivers without I/O.
struct COwnEntryPoint {
  const char* m_name;
  void* m_function;
};

// X(name, type) for a list of the driver header: the function own::name, which
// must have the entry point's type, under its name.
#define SFP_OWN_ENTRY_POINT(name, type) \
  COwnEntryPoint{#name, reinterpret_cast<void*>(static_cast<type>(own::name))},

// The function of that name in the table, or null.
template <std::size_t N>
void* FindOwnEntryPoint(const COwnEntryPoint (&table)[N], const char* name) {
  for (const COwnEntryPoint& entry : table)
    if (std::strcmp(entry.m_name, name) == 0) return entry.m_function;
  return nullptr;
}

// The entry point of that name as a function of the given type.
template <typename Function>
Function EntryPoint(CDriverLibrary& library, const char* name) {
  return reinterpret_cast<Function>(library.FindEntryPoint(name));
}

// The driver's entry points, bound by the names of its lists; each null when
// the library lacks it.
struct CDriverEntryPoints {
#define SFP_ENTRY_POINTER(name, type) type name = nullptr;
  TGQ3207_ENTRY_POINTS(SFP_ENTRY_POINTER)
#undef SFP_ENTRY_POINTER

  explicit CDriverEntryPoints(CDriverLibrary& driver) {
#define SFP_BIND_ENTRY_POINT(name, type) name = EntryPoint<type>(driver, #name);
    TGQ3207_ENTRY_POINTS(SFP_BIND_ENTRY_POINT)
#undef SFP_BIND_ENTRY_POINT
  }

  bool CanOpenASession() const {
#define SFP_FOUND(name, type) &&name != nullptr
    return true TGQ3207_SESSION_ENTRY_POINTS(SFP_FOUND);
#undef SFP_FOUND
  }
};
