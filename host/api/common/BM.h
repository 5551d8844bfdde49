#pragma once
// Host memory handles. Allocation is zero-filled; the stand-alone host counts the
// live handles so tests can see a leak.
#include "GS/Types.hpp"

constexpr GSFlags ALLOCATE_CLEAR = 1;

GSHandle BMAllocateHandle(GSSize bytes, GSFlags flags, short actionCode);
GSHandle BMhAllClear(GSSize bytes);
GSSize BMGetHandleSize(GSHandle handle);
GSSize BMhGetSize(GSHandle handle);
GSErrCode BMReallocHandle(GSHandle handle, GSSize bytes, GSFlags flags, short actionCode);
void BMKillHandle(GSHandle* handle);
void BMhKill(GSHandle* handle);
