// Standard VISA status codes that the project's visa.h leaves out.
#pragma once

#include "visa.h"

#ifndef VI_WARN_NULL_OBJECT
#define VI_WARN_NULL_OBJECT ((ViStatus)0x3FFF0082)
#endif
#ifndef VI_ERROR_ATTR_READONLY
#define VI_ERROR_ATTR_READONLY ((ViStatus)0xBFFF001F)
#endif
#ifndef VI_WARN_NSUP_ATTR_STATE
#define VI_WARN_NSUP_ATTR_STATE ((ViStatus)0x3FFF0084)
#endif
#ifndef VI_SUCCESS_DEV_NPRESENT
#define VI_SUCCESS_DEV_NPRESENT ((ViStatus)0x3FFF007D)
#endif
