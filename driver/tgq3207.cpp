// The eighteen entry points of the driver, over the standard VISA C API.
#include "tgq3207.h"
#include "tgq3207_real_text.h"

#include <charconv>
#include <cstring>
#include <string>

#include "driver/driver_status.h"
#include "driver/io_trace.h"
#include "driver/reply_parsing.h"
#include "driver/session_table.h"
#include "driver/visa_io.h"

namespace {

constexpr ViUInt32 kDefaultTimeOutMs = 2000;
constexpr char kIdentityPrefix[] = "TARROWS-GIMBELL,Q3207";
// Bit 2 of the status byte: the error queue is not empty.
constexpr ViUInt16 kErrorQueueBit = 0x04;

// Runs `operation` on a known session. With error detection on, an operation
// that succeeded is followed by a look at the status byte, so that the caller
// learns of errors the instrument queued meanwhile; any result has already
// been stored by then.
template <typename Operation>
ViStatus RunDetected(ViSession vi, Operation operation) {
  std::optional<CDriverSession> session = FindSession(vi);
  if (!session) return VI_ERROR_INV_SESSION;
  ViStatus status = operation();
  if (status < 0 || !session->m_detectErrors) return status;
  ViUInt16 statusByte = 0;
  ViStatus stbStatus = ReadStatusByte(vi, statusByte);
  if (stbStatus < 0) return stbStatus;
  return (statusByte & kErrorQueueBit) ? TGQ3207_INSTR_ERROR_DETECTED : status;
}

// Runs `operation` on a known session, without error detection.
template <typename Operation>
ViStatus RunPlain(ViSession vi, Operation operation) {
  if (!FindSession(vi)) return VI_ERROR_INV_SESSION;
  return operation();
}

std::string WithValue(ViString header, const std::string& value) {
  return std::string(header) + " " + value;
}

ViStatus QueryNumber(ViSession vi, ViString query, double& value) {
  std::string reply;
  ViStatus status = QueryLine(vi, query, reply);
  if (status < 0) return status;
  std::optional<double> parsed = ParseReal(reply);
  if (!parsed) return TraceStatus("reply", kStatusInvalidResponse);
  value = *parsed;
  return status;
}

ViStatus QueryInt16(ViSession vi, const std::string& query, ViInt16& value) {
  std::string reply;
  ViStatus status = QueryLine(vi, query, reply);
  if (status < 0) return status;
  std::optional<int16_t> parsed = ParseInt16(reply);
  if (!parsed) return TraceStatus("reply", kStatusInvalidResponse);
  value = *parsed;
  return status;
}

ViStatus SetSessionAttribute(ViSession vi, ViAttr attribute, ViAttrState value) {
  return TraceStatus("viSetAttribute", viSetAttribute(vi, attribute, value));
}

ViStatus ConfigureSession(ViSession vi) {
  ViStatus status = SetSessionAttribute(vi, VI_ATTR_TMO_VALUE, kDefaultTimeOutMs);
  if (status >= 0) status = SetSessionAttribute(vi, VI_ATTR_TERMCHAR, '\n');
  if (status >= 0) status = SetSessionAttribute(vi, VI_ATTR_TERMCHAR_EN, VI_TRUE);
  return status;
}

ViStatus CheckIdentity(ViSession vi) {
  std::string reply;
  ViStatus status = QueryLine(vi, "*IDN?", reply);
  if (status < 0) return status;
  if (reply.compare(0, std::strlen(kIdentityPrefix), kIdentityPrefix) != 0)
    return TraceStatus("*IDN?", kStatusFailId);
  return VI_SUCCESS;
}

ViStatus ResetInstrument(ViSession vi) {
  ViStatus status = WriteLine(vi, "*RST");
  return status < 0 ? status : WriteLine(vi, "*CLS");
}

// Returns the open's own warning when everything else succeeded: a session to
// a device that does not answer (VI_SUCCESS_DEV_NPRESENT) is no plain success.
ViStatus OpenInstrument(ViRsrc resourceName, ViBoolean idQuery, ViBoolean reset,
                        ViSession resourceManager, ViSession& vi) {
  ViStatus openStatus =
      TraceStatus("viOpen", viOpen(resourceManager, resourceName, VI_NULL, VI_NULL, &vi));
  if (openStatus < 0) return openStatus;
  ViStatus status = ConfigureSession(vi);
  if (status >= 0 && idQuery) status = CheckIdentity(vi);
  if (status >= 0 && reset) status = ResetInstrument(vi);
  if (status < 0) {
    viClose(vi);
    return status;
  }
  return openStatus;
}

}  // namespace

ViStatus _VI_FUNC tgq3207_init(ViRsrc resourceName, ViBoolean idQuery, ViBoolean reset,
                               ViSession* vi) {
  if (vi == nullptr) return VI_ERROR_INV_PARAMETER;
  *vi = VI_NULL;
  if (resourceName == nullptr) return VI_ERROR_INV_RSRC_NAME;
  ViSession resourceManager = VI_NULL;
  ViStatus status = TraceStatus("viOpenDefaultRM", viOpenDefaultRM(&resourceManager));
  if (status < 0) return status;
  ViSession session = VI_NULL;
  status = OpenInstrument(resourceName, idQuery, reset, resourceManager, session);
  if (status < 0) {
    viClose(resourceManager);
    return status;
  }
  AddSession(session, resourceManager);
  *vi = session;
  return status;
}

ViStatus _VI_FUNC tgq3207_close(ViSession vi) {
  std::optional<CDriverSession> session = RemoveSession(vi);
  if (!session) return VI_ERROR_INV_SESSION;
  ViStatus status = TraceStatus("viClose", viClose(vi));
  viClose(session->m_resourceManager);
  return status;
}

ViStatus _VI_FUNC tgq3207_timeOut(ViSession vi, ViInt32 timeOutMs) {
  if (timeOutMs < 0) return VI_ERROR_INV_PARAMETER;
  return RunPlain(vi, [&] {
    return SetSessionAttribute(vi, VI_ATTR_TMO_VALUE, static_cast<ViAttrState>(timeOutMs));
  });
}

ViStatus _VI_FUNC tgq3207_errorQueryDetect(ViSession vi, ViBoolean errorQueryDetect) {
  return SetErrorDetection(vi, errorQueryDetect != VI_FALSE) ? VI_SUCCESS
                                                             : VI_ERROR_INV_SESSION;
}

ViStatus _VI_FUNC tgq3207_cmd(ViSession vi, ViString command) {
  if (command == nullptr) return VI_ERROR_INV_PARAMETER;
  return RunDetected(vi, [&] { return WriteLine(vi, command); });
}

ViStatus _VI_FUNC tgq3207_cmdInt(ViSession vi, ViString header, ViInt32 value) {
  if (header == nullptr) return VI_ERROR_INV_PARAMETER;
  return RunDetected(vi, [&] { return WriteLine(vi, WithValue(header, std::to_string(value))); });
}

ViStatus _VI_FUNC tgq3207_cmdReal(ViSession vi, ViString header, ViReal64 value) {
  if (header == nullptr) return VI_ERROR_INV_PARAMETER;
  return RunDetected(vi, [&] { return WriteLine(vi, WithValue(header, Tgq3207RealText(value))); });
}

ViStatus _VI_FUNC tgq3207_cmdString_Q(ViSession vi, ViString query, ViInt32 size,
                                      ViChar result[]) {
  if (query == nullptr || result == nullptr || size < 0) return VI_ERROR_INV_PARAMETER;
  result[0] = '\0';
  return RunDetected(vi, [&] {
    std::string reply;
    ViStatus status = QueryLine(vi, query, reply);
    if (status >= 0) CopyTruncated(result, static_cast<size_t>(size), reply);
    return status;
  });
}

ViStatus _VI_FUNC tgq3207_cmdInt16_Q(ViSession vi, ViString query, ViInt16* result) {
  if (query == nullptr || result == nullptr) return VI_ERROR_INV_PARAMETER;
  return RunDetected(vi, [&] { return QueryInt16(vi, query, *result); });
}

ViStatus _VI_FUNC tgq3207_cmdReal64_Q(ViSession vi, ViString query, ViReal64* result) {
  if (query == nullptr || result == nullptr) return VI_ERROR_INV_PARAMETER;
  return RunDetected(vi, [&] { return QueryNumber(vi, query, *result); });
}

ViStatus _VI_FUNC tgq3207_reset(ViSession vi) {
  return RunDetected(vi, [&] { return WriteLine(vi, "*RST"); });
}

ViStatus _VI_FUNC tgq3207_dcl(ViSession vi) {
  return RunPlain(vi, [&] { return TraceStatus("viClear", viClear(vi)); });
}

ViStatus _VI_FUNC tgq3207_trg(ViSession vi) {
  return RunDetected(vi, [&] {
    ViStatus status = viAssertTrigger(vi, VI_TRIG_PROT_DEFAULT);
    if (status == VI_ERROR_NSUP_OPER) return WriteLine(vi, "*TRG");
    return TraceStatus("viAssertTrigger", status);
  });
}

ViStatus _VI_FUNC tgq3207_statEvenClr(ViSession vi) {
  return RunDetected(vi, [&] { return WriteLine(vi, "*CLS"); });
}

ViStatus _VI_FUNC tgq3207_opc_Q(ViSession vi, ViInt16* result) {
  if (result == nullptr) return VI_ERROR_INV_PARAMETER;
  return RunDetected(vi, [&] { return QueryInt16(vi, "*OPC?", *result); });
}

ViStatus _VI_FUNC tgq3207_readStatusByte_Q(ViSession vi, ViInt16* result) {
  if (result == nullptr) return VI_ERROR_INV_PARAMETER;
  return RunDetected(vi, [&] {
    ViUInt16 statusByte = 0;
    ViStatus status = ReadStatusByte(vi, statusByte);
    if (status >= 0) *result = static_cast<ViInt16>(statusByte);
    return status;
  });
}

ViStatus _VI_FUNC tgq3207_self_test(ViSession vi, ViInt16* result,
                                    ViChar message[TGQ3207_SELF_TEST_MESSAGE_SIZE]) {
  if (result == nullptr || message == nullptr) return VI_ERROR_INV_PARAMETER;
  message[0] = '\0';
  return RunDetected(vi, [&] {
    ViStatus status = QueryInt16(vi, "*TST?", *result);
    if (status >= 0)
      CopyTruncated(message, TGQ3207_SELF_TEST_MESSAGE_SIZE - 1,
                    *result == 0 ? "Self test passed" : "Self test failed");
    return status;
  });
}

ViStatus _VI_FUNC tgq3207_error_query(ViSession vi, ViInt32* code,
                                      ViChar message[TGQ3207_ERROR_MESSAGE_SIZE]) {
  if (code == nullptr || message == nullptr) return VI_ERROR_INV_PARAMETER;
  message[0] = '\0';
  return RunPlain(vi, [&] {
    std::string reply;
    ViStatus status = QueryLine(vi, "SYST:ERR?", reply);
    if (status < 0) return status;
    std::optional<CErrorEntry> entry = ParseErrorEntry(reply);
    if (!entry) return TraceStatus("SYST:ERR?", kStatusInvalidResponse);
    *code = entry->m_code;
    CopyTruncated(message, TGQ3207_ERROR_MESSAGE_SIZE - 1, entry->m_message);
    return status;
  });
}
