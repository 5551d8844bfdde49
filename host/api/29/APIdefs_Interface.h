#pragma once
// Generation 29: the progress window.
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

enum API_ProcessControlTypeID : Int32 { API_MenuCommandEnabled = 0, API_MenuCommandDisabled = 1 };

GSErrCode ACAPI_ProcessWindow_InitProcessWindow(const GS::UniString* title = nullptr, Int32* nPhase = nullptr,
                                                API_ProcessControlTypeID* processCntrolType = nullptr);
// Starts the next phase, its bar running from 0 to `maxval`.
GSErrCode ACAPI_ProcessWindow_SetNextProcessPhase(const GS::UniString* subtitle, Int32* maxval,
                                                  bool* showPercent = nullptr);
// The bar's position in the phase.
GSErrCode ACAPI_ProcessWindow_SetProcessValue(Int32* newval);
GSErrCode ACAPI_ProcessWindow_IncProcessValue(Int32* incval = nullptr);
// NoError, or APIERR_CANCEL when the user has cancelled.
GSErrCode ACAPI_ProcessWindow_IsProcessCanceled();
GSErrCode ACAPI_ProcessWindow_CloseProcessWindow();
