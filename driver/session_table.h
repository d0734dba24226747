// What the driver keeps per open session: the resource manager it was opened
// through and whether error-queue detection is on. Safe to use from several
// threads.
#pragma once

#include <optional>

#include "visa.h"

struct CDriverSession {
  ViSession m_resourceManager = VI_NULL;
  bool m_detectErrors = false;
};

void AddSession(ViSession vi, ViSession resourceManager);
std::optional<CDriverSession> FindSession(ViSession vi);
// False when vi is no open session.
bool SetErrorDetection(ViSession vi, bool on);
// Forgets the session and hands back what was kept for it.
std::optional<CDriverSession> RemoveSession(ViSession vi);
