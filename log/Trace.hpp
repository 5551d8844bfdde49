#pragma once
// Debug lines written for each element of a pass over the project: in development builds
// only (KORVEL_ELEMENT_TRACE). Without it neither the line nor its arguments are worked out.
#include "DBPrintf.h"

#if KORVEL_ELEMENT_TRACE
#define KRV_ELEMENT_TRACE(...) DBPrintf(__VA_ARGS__)
#else
#define KRV_ELEMENT_TRACE(...) ((void)0)
#endif
