#pragma once
// The host's user interface services the add-on asks for: the progress window.
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

// 'IPWD': opens the progress window; par1 const GS::UniString* title, par2 Int32* number of phases.
constexpr GSType APIIo_InitProcessWindowID = 0x49505744;
// 'SPRP': starts (or advances) a phase; par1 const GS::UniString* phase text, par2 Int32* value.
constexpr GSType APIIo_SetNextProcessPhaseID = 0x53505250;
// 'CANC': answers APIERR_CANCEL when the user has cancelled, NoError otherwise.
constexpr GSType APIIo_IsProcessCanceledID = 0x43414E43;
// 'CPWD': closes the progress window.
constexpr GSType APIIo_CloseProcessWindowID = 0x43505744;

GSErrCode ACAPI_Interface(GSType code, void* par1 = nullptr, void* par2 = nullptr);
