// VISA sessions that close themselves: the default resource manager and one
// resource, each closed only when it was opened.
#pragma once

#include <cstring>

#include "connect/visa_library.h"

class CVisaResourceManager {
 public:
  explicit CVisaResourceManager(const CVisaEntryPoints& visa);
  ~CVisaResourceManager();
  CVisaResourceManager(const CVisaResourceManager&) = delete;
  CVisaResourceManager& operator=(const CVisaResourceManager&) = delete;

  bool IsOpen() const { return m_status >= VI_SUCCESS; }
  ViSession Handle() const { return m_session; }

 private:
  const CVisaEntryPoints& m_visa;
  ViSession m_session = VI_NULL;
  ViStatus m_status;
};

class CVisaSession {
 public:
  CVisaSession(const CVisaEntryPoints& visa, ViSession resourceManager, const char* name);
  ~CVisaSession();
  CVisaSession(const CVisaSession&) = delete;
  CVisaSession& operator=(const CVisaSession&) = delete;

  // The status of viOpen; a warning opens the session too.
  ViStatus OpenStatus() const { return m_status; }
  bool IsOpen() const { return m_status >= VI_SUCCESS; }
  ViSession Handle() const { return m_session; }

  // Reads a 16-bit attribute. The value lands in a buffer as wide as any
  // attribute, so that a library writing more than the attribute's width
  // cannot reach past `value`.
  template <typename Value>
  ViStatus ReadAttribute(ViAttr attribute, Value& value) const {
    static_assert(sizeof(Value) <= sizeof(ViAttrState), "attribute wider than its buffer");
    ViAttrState buffer = 0;
    ViStatus status = m_visa.getAttribute(m_session, attribute, &buffer);
    std::memcpy(&value, &buffer, sizeof value);
    return status;
  }

 private:
  const CVisaEntryPoints& m_visa;
  ViSession m_session = VI_NULL;
  ViStatus m_status;
};
