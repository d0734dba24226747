/* The instrument driver "tgq3207_32.dll": its eighteen entry points. Every entry
   point returns a VISA status; negative is failure. tgq3207_init treats any
   status other than VI_SUCCESS as failure. */
#ifndef SFP_TGQ3207_H
#define SFP_TGQ3207_H

#include "visa.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The instrument's error queue holds errors (error-query detection on). */
#define TGQ3207_INSTR_ERROR_DETECTED ((ViStatus)0xBFFC0D07)

#define TGQ3207_SELF_TEST_MESSAGE_SIZE 256
#define TGQ3207_ERROR_MESSAGE_SIZE 260

ViStatus _VI_FUNC tgq3207_init(ViRsrc resourceName, ViBoolean idQuery, ViBoolean reset,
                               ViSession* vi);
ViStatus _VI_FUNC tgq3207_timeOut(ViSession vi, ViInt32 timeOutMs);
ViStatus _VI_FUNC tgq3207_errorQueryDetect(ViSession vi, ViBoolean errorQueryDetect);
ViStatus _VI_FUNC tgq3207_cmd(ViSession vi, ViString command);
ViStatus _VI_FUNC tgq3207_cmdInt(ViSession vi, ViString header, ViInt32 value);
ViStatus _VI_FUNC tgq3207_cmdReal(ViSession vi, ViString header, ViReal64 value);
/* result receives at most size characters and a terminating NUL (size + 1 bytes). */
ViStatus _VI_FUNC tgq3207_cmdString_Q(ViSession vi, ViString query, ViInt32 size,
                                      ViChar result[]);
ViStatus _VI_FUNC tgq3207_cmdInt16_Q(ViSession vi, ViString query, ViInt16* result);
ViStatus _VI_FUNC tgq3207_cmdReal64_Q(ViSession vi, ViString query, ViReal64* result);
ViStatus _VI_FUNC tgq3207_reset(ViSession vi);
ViStatus _VI_FUNC tgq3207_dcl(ViSession vi);
ViStatus _VI_FUNC tgq3207_close(ViSession vi);
ViStatus _VI_FUNC tgq3207_trg(ViSession vi);
ViStatus _VI_FUNC tgq3207_statEvenClr(ViSession vi);
ViStatus _VI_FUNC tgq3207_opc_Q(ViSession vi, ViInt16* result);
ViStatus _VI_FUNC tgq3207_readStatusByte_Q(ViSession vi, ViInt16* result);
ViStatus _VI_FUNC tgq3207_self_test(ViSession vi, ViInt16* result,
                                    ViChar message[TGQ3207_SELF_TEST_MESSAGE_SIZE]);
ViStatus _VI_FUNC tgq3207_error_query(ViSession vi, ViInt32* code,
                                      ViChar message[TGQ3207_ERROR_MESSAGE_SIZE]);

/* Pointer types of the entry points, for binding them by name at run time. */
typedef ViStatus(_VI_FUNC* tgq3207_init_fn)(ViRsrc, ViBoolean, ViBoolean, ViSession*);
typedef ViStatus(_VI_FUNC* tgq3207_timeOut_fn)(ViSession, ViInt32);
typedef ViStatus(_VI_FUNC* tgq3207_errorQueryDetect_fn)(ViSession, ViBoolean);
typedef ViStatus(_VI_FUNC* tgq3207_cmd_fn)(ViSession, ViString);
typedef ViStatus(_VI_FUNC* tgq3207_cmdInt_fn)(ViSession, ViString, ViInt32);
typedef ViStatus(_VI_FUNC* tgq3207_cmdReal_fn)(ViSession, ViString, ViReal64);
typedef ViStatus(_VI_FUNC* tgq3207_cmdString_Q_fn)(ViSession, ViString, ViInt32, ViChar[]);
typedef ViStatus(_VI_FUNC* tgq3207_cmdInt16_Q_fn)(ViSession, ViString, ViInt16*);
typedef ViStatus(_VI_FUNC* tgq3207_cmdReal64_Q_fn)(ViSession, ViString, ViReal64*);
typedef ViStatus(_VI_FUNC* tgq3207_session_fn)(ViSession);
typedef ViStatus(_VI_FUNC* tgq3207_int16_Q_fn)(ViSession, ViInt16*);
typedef ViStatus(_VI_FUNC* tgq3207_self_test_fn)(ViSession, ViInt16*, ViChar[]);
typedef ViStatus(_VI_FUNC* tgq3207_error_query_fn)(ViSession, ViInt32*, ViChar[]);

/* Every entry point once, as X(name, pointer type): first the three that open a
   session, then the fifteen that the live instrument binds, in the order it binds
   them. The program's loader, the live instrument, the drivers of the tests and
   benchmarks and the build's export check all take the names from here. */
#define TGQ3207_SESSION_ENTRY_POINTS(X)     \
  X(tgq3207_init, tgq3207_init_fn)          \
  X(tgq3207_timeOut, tgq3207_timeOut_fn)    \
  X(tgq3207_errorQueryDetect, tgq3207_errorQueryDetect_fn)
#define TGQ3207_INSTRUMENT_ENTRY_POINTS(X)             \
  X(tgq3207_reset, tgq3207_session_fn)                 \
  X(tgq3207_error_query, tgq3207_error_query_fn)       \
  X(tgq3207_self_test, tgq3207_self_test_fn)           \
  X(tgq3207_readStatusByte_Q, tgq3207_int16_Q_fn)      \
  X(tgq3207_opc_Q, tgq3207_int16_Q_fn)                 \
  X(tgq3207_trg, tgq3207_session_fn)                   \
  X(tgq3207_dcl, tgq3207_session_fn)                   \
  X(tgq3207_close, tgq3207_session_fn)                 \
  X(tgq3207_statEvenClr, tgq3207_session_fn)           \
  X(tgq3207_cmdReal, tgq3207_cmdReal_fn)               \
  X(tgq3207_cmdReal64_Q, tgq3207_cmdReal64_Q_fn)       \
  X(tgq3207_cmdInt, tgq3207_cmdInt_fn)                 \
  X(tgq3207_cmdInt16_Q, tgq3207_cmdInt16_Q_fn)         \
  X(tgq3207_cmd, tgq3207_cmd_fn)                       \
  X(tgq3207_cmdString_Q, tgq3207_cmdString_Q_fn)
#define TGQ3207_ENTRY_POINTS(X) TGQ3207_SESSION_ENTRY_POINTS(X) TGQ3207_INSTRUMENT_ENTRY_POINTS(X)

#ifdef __cplusplus
}
#endif

#endif
