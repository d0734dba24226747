// Message exchange with an instrument session.
#include "visa-sim/visa/visa_api_support.h"

using tgqsim::WithWorldLocked;
using tgqsim::InstrumentSession;
using tgqsim::SimWorld;

extern "C" {

ViStatus _VI_FUNC viWrite(ViSession vi, ViBuf buf, ViUInt32 cnt, ViUInt32* retCnt) {
  return WithWorldLocked<ViStatus>(VI_ERROR_SYSTEM_ERROR, [=](SimWorld& world) {
    if (retCnt) *retCnt = 0;
    InstrumentSession found = tgqsim::FindInstrumentSession(world, vi);
    if (found.status != VI_SUCCESS) return found.status;
    if (!buf && cnt > 0) return VI_ERROR_USER_BUF;
    std::string_view data(reinterpret_cast<const char*>(buf), cnt);
    tgqsim::WriteSettings settings{found.session->timeoutMs, found.session->sendEnd};
    return found.target->Write(data, settings, retCnt, world.Traffic());
  });
}

ViStatus _VI_FUNC viRead(ViSession vi, ViPBuf buf, ViUInt32 cnt, ViUInt32* retCnt) {
  return WithWorldLocked<ViStatus>(VI_ERROR_SYSTEM_ERROR, [=](SimWorld& world) {
    if (retCnt) *retCnt = 0;
    InstrumentSession found = tgqsim::FindInstrumentSession(world, vi);
    if (found.status != VI_SUCCESS) return found.status;
    if (!buf && cnt > 0) return VI_ERROR_USER_BUF;
    const tgqsim::VisaObject& s = *found.session;
    tgqsim::ReadSettings settings{s.timeoutMs, s.termCharEnabled, static_cast<char>(s.termChar)};
    return found.target->Read(buf, cnt, settings, retCnt, world.Traffic());
  });
}

ViStatus _VI_FUNC viClear(ViSession vi) {
  return WithWorldLocked<ViStatus>(VI_ERROR_SYSTEM_ERROR, [=](SimWorld& world) {
    InstrumentSession found = tgqsim::FindInstrumentSession(world, vi);
    if (found.status != VI_SUCCESS) return found.status;
    if (found.resource != nullptr)
      if (std::optional<ViStatus> lost = found.resource->LinkLoss("", world.Traffic())) return *lost;
    found.target->Clear(world.Traffic());
    return found.status;
  });
}

ViStatus _VI_FUNC viReadSTB(ViSession vi, ViUInt16* status) {
  return WithWorldLocked<ViStatus>(VI_ERROR_SYSTEM_ERROR, [=](SimWorld& world) {
    InstrumentSession found = tgqsim::FindInstrumentSession(world, vi);
    if (found.status != VI_SUCCESS) return found.status;
    if (!status) return VI_ERROR_USER_BUF;
    return found.target->ReadStb(status, world.Traffic());
  });
}

ViStatus _VI_FUNC viAssertTrigger(ViSession vi, ViUInt16 protocol) {
  return WithWorldLocked<ViStatus>(VI_ERROR_SYSTEM_ERROR, [=](SimWorld& world) {
    InstrumentSession found = tgqsim::FindInstrumentSession(world, vi);
    if (found.status != VI_SUCCESS) return found.status;
    if (protocol != VI_TRIG_PROT_DEFAULT) return VI_ERROR_INV_PARAMETER;
    return found.target->AssertTrigger(world.Traffic());
  });
}

// Reads and writes here are unbuffered: there is nothing to flush or discard.
ViStatus _VI_FUNC viFlush(ViSession vi, ViUInt16 /*mask*/) {
  return WithWorldLocked<ViStatus>(VI_ERROR_SYSTEM_ERROR, [=](SimWorld& world) {
    return tgqsim::FindInstrumentSession(world, vi).status;
  });
}

}  // extern "C"
