/* The part of the VISA C API that this project uses: types, status codes,
   attributes and the functions, declared as the VXIplug&play VISA library
   exports them. Windows-free, so that the driver and the simulator also build
   natively. */
#ifndef SFP_VISA_H
#define SFP_VISA_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define _VI_FUNC __stdcall
#else
#define _VI_FUNC
#endif

typedef uint32_t ViUInt32;
typedef int32_t ViInt32;
typedef uint16_t ViUInt16;
typedef int16_t ViInt16;
typedef unsigned char ViUInt8;
typedef char ViChar;
typedef unsigned char ViByte;
typedef ViUInt16 ViBoolean;
typedef double ViReal64;
typedef ViInt32 ViStatus;
typedef ViUInt32 ViObject;
typedef ViObject ViSession;
typedef ViObject ViFindList;
typedef ViUInt32 ViAttr;
typedef ViUInt32 ViAccessMode;
typedef ViChar* ViString;
typedef const ViChar* ViConstString;
typedef ViString ViRsrc;
typedef ViConstString ViConstRsrc;
typedef ViByte* ViBuf;
typedef const ViByte* ViConstBuf;
typedef ViByte* ViPBuf;
#if defined(_WIN64) || defined(__LP64__)
typedef uint64_t ViAttrState;
#else
typedef ViUInt32 ViAttrState;
#endif

#define VI_NULL 0
#define VI_TRUE ((ViBoolean)1)
#define VI_FALSE ((ViBoolean)0)

#define VI_SUCCESS ((ViStatus)0)
#define VI_SUCCESS_TERM_CHAR ((ViStatus)0x3FFF0005)
#define VI_SUCCESS_MAX_CNT ((ViStatus)0x3FFF0006)
#define VI_WARN_NSUP_ID_QUERY ((ViStatus)0x3FFC0101)
#define VI_WARN_NSUP_RESET ((ViStatus)0x3FFC0102)

#define VI_ERROR_SYSTEM_ERROR ((ViStatus)0xBFFF0000)
#define VI_ERROR_INV_OBJECT ((ViStatus)0xBFFF000E)
#define VI_ERROR_INV_SESSION VI_ERROR_INV_OBJECT
#define VI_ERROR_RSRC_NFOUND ((ViStatus)0xBFFF0011)
#define VI_ERROR_INV_EXPR ((ViStatus)0xBFFF0010)
#define VI_ERROR_TMO ((ViStatus)0xBFFF0015)
#define VI_ERROR_NSUP_ATTR ((ViStatus)0xBFFF001D)
#define VI_ERROR_NSUP_ATTR_STATE ((ViStatus)0xBFFF001E)
#define VI_ERROR_INV_RSRC_NAME ((ViStatus)0xBFFF0012)
#define VI_ERROR_ALLOC ((ViStatus)0xBFFF003C)
#define VI_ERROR_IO ((ViStatus)0xBFFF003E)
#define VI_ERROR_NLISTENERS ((ViStatus)0xBFFF005F)
#define VI_ERROR_CONN_LOST ((ViStatus)0xBFFF00A6)
#define VI_ERROR_INV_PARAMETER ((ViStatus)0xBFFF0078)
#define VI_ERROR_NSUP_OPER ((ViStatus)0xBFFF0067)
#define VI_ERROR_INV_SETUP ((ViStatus)0xBFFF003A)
#define VI_ERROR_USER_BUF ((ViStatus)0xBFFF0071)

#define VI_ATTR_TMO_VALUE ((ViAttr)0x3FFF001A)
#define VI_ATTR_TERMCHAR ((ViAttr)0x3FFF0018)
#define VI_ATTR_TERMCHAR_EN ((ViAttr)0x3FFF0038)
#define VI_ATTR_SEND_END_EN ((ViAttr)0x3FFF0016)
#define VI_ATTR_INTF_TYPE ((ViAttr)0x3FFF0171)
#define VI_ATTR_MANF_ID ((ViAttr)0x3FFF00D9)
#define VI_ATTR_MODEL_CODE ((ViAttr)0x3FFF00DF)
#define VI_ATTR_SLOT ((ViAttr)0x3FFF00E8)
#define VI_ATTR_VXI_LA ((ViAttr)0x3FFF00D5)
#define VI_ATTR_GPIB_PRIMARY_ADDR ((ViAttr)0x3FFF0172)
#define VI_ATTR_GPIB_SECONDARY_ADDR ((ViAttr)0x3FFF0173)

#define VI_INTF_GPIB 1
#define VI_INTF_VXI 2
#define VI_INTF_GPIB_VXI 3
#define VI_INTF_ASRL 4
#define VI_INTF_TCPIP 6
#define VI_NO_SEC_ADDR 0xFFFF
#define VI_TRIG_PROT_DEFAULT 0
#define VI_FIND_BUFLEN 256

ViStatus _VI_FUNC viOpenDefaultRM(ViSession* vi);
ViStatus _VI_FUNC viFindRsrc(ViSession sesn, ViString expr, ViFindList* vi,
                             ViUInt32* retCnt, ViChar desc[]);
ViStatus _VI_FUNC viFindNext(ViFindList vi, ViChar desc[]);
ViStatus _VI_FUNC viOpen(ViSession sesn, ViRsrc name, ViAccessMode mode,
                         ViUInt32 timeout, ViSession* vi);
ViStatus _VI_FUNC viClose(ViObject vi);
ViStatus _VI_FUNC viGetAttribute(ViObject vi, ViAttr attrName, void* attrValue);
ViStatus _VI_FUNC viSetAttribute(ViObject vi, ViAttr attrName, ViAttrState attrValue);
ViStatus _VI_FUNC viWrite(ViSession vi, ViBuf buf, ViUInt32 cnt, ViUInt32* retCnt);
ViStatus _VI_FUNC viRead(ViSession vi, ViPBuf buf, ViUInt32 cnt, ViUInt32* retCnt);
ViStatus _VI_FUNC viClear(ViSession vi);
ViStatus _VI_FUNC viReadSTB(ViSession vi, ViUInt16* status);
ViStatus _VI_FUNC viAssertTrigger(ViSession vi, ViUInt16 protocol);
ViStatus _VI_FUNC viFlush(ViSession vi, ViUInt16 mask);

#ifdef __cplusplus
}
#endif

#endif
