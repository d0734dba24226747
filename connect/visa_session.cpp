#include "connect/visa_session.h"

CVisaResourceManager::CVisaResourceManager(const CVisaEntryPoints& visa)
    : m_visa(visa), m_status(visa.openDefaultRM(&m_session)) {}

CVisaResourceManager::~CVisaResourceManager() {
  if (IsOpen()) m_visa.close(m_session);
}

CVisaSession::CVisaSession(const CVisaEntryPoints& visa, ViSession resourceManager,
                           const char* name)
    : m_visa(visa),
      m_status(visa.open(resourceManager, const_cast<ViRsrc>(name), VI_NULL, VI_NULL, &m_session)) {}

CVisaSession::~CVisaSession() {
  if (IsOpen()) m_visa.close(m_session);
}
