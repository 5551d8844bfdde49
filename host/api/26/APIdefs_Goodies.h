#pragma once
// Host goodies: small services, each a four-character request.
#include "GS/Types.hpp"

// 'U2EP': par1 points to a user-interface priority (Int32, 0..16), par2 receives the
// element priority it stands for.
constexpr GSType APIAny_UI2ElemPriorityID = 0x55324550; // 'U2EP'
// 'GELU': par1 points to an element's API_Elem_Head, par2 to a char[API_UniIDLen] that
// receives the unique id of the library part the element is placed from ("" when it is
// not placed from one); APIERR_BADELEMENTTYPE for elements that never are.
constexpr GSType APIAny_GetElemLibPartUnIdID = 0x47454C55; // 'GELU'

GSErrCode ACAPI_Goodies(GSType code, void* par1 = nullptr, void* par2 = nullptr);
