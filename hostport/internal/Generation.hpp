#pragma once
// Inside the port only: what the port's shared code needs of a record whose shape differs
// between host generations, spelled once per generation. The port's files that differ more
// have an implementation per generation in gen26/ and gen29/.
#include "ACAPinc.h"
#include "APIdefs_Environment.h"
#include "APIdefs_Interface.h"
#include "APIdefs_LibParts.h"

namespace KRV::port::gen {

#if KORVEL_HOST_GENERATION >= 29
// An attribute index is a class, made from and read as an integer.
inline Int32 IndexOf(const API_AttributeIndex& index)
{
    return index.ToInt32_Deprecated();
}
inline API_AttributeIndex HostIndex(Int32 index)
{
    return ACAPI_CreateAttributeIndex(index);
}
// The head carries a type record.
inline API_ElemTypeID TypeOf(const API_Elem_Head& head)
{
    return head.type.typeID;
}
inline void SetType(API_Elem_Head& head, API_ElemTypeID type)
{
    head.type = API_ElemType(type);
}
// A composite's record has no line count, a separator line no line kind.
inline short LineCount(const API_CompWallType&)
{
    return 0;
}
inline void SetLineCount(API_CompWallType&, short) {}
inline short LineKind(const API_CWallLineComponent&)
{
    return 0;
}
inline void SetLineKind(API_CWallLineComponent&, short) {}
#else
inline Int32 IndexOf(const API_AttributeIndex& index)
{
    return index;
}
inline API_AttributeIndex HostIndex(Int32 index)
{
    return index;
}
inline API_ElemTypeID TypeOf(const API_Elem_Head& head)
{
    return head.typeID;
}
inline void SetType(API_Elem_Head& head, API_ElemTypeID type)
{
    head.typeID = type;
}
inline short LineCount(const API_CompWallType& composite)
{
    return composite.nLines;
}
inline void SetLineCount(API_CompWallType& composite, short lines)
{
    composite.nLines = lines;
}
inline short LineKind(const API_CWallLineComponent& line)
{
    return line.lineType;
}
inline void SetLineKind(API_CWallLineComponent& line, short kind)
{
    line.lineType = kind;
}
#endif

// Library parts and libraries: generation 26's LibPart_ functions and request codes, generation
// 29's LibraryPart_ and LibraryManagement_ functions (whose section texts are not const).
inline GSErrCode LibPartSearch(API_LibPart* part)
{
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_LibraryPart_Search(part, false, false);
#else
    return ACAPI_LibPart_Search(part, false, false);
#endif
}
inline GSErrCode LibPartGet(API_LibPart* part)
{
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_LibraryPart_Get(part);
#else
    return ACAPI_LibPart_Get(part);
#endif
}
inline GSErrCode LibPartRegister(API_LibPart* part)
{
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_LibraryPart_Register(part);
#else
    return ACAPI_LibPart_Register(part);
#endif
}
inline GSErrCode LibPartGetParams(Int32 part, double* a, double* b, Int32* count, API_AddParType*** parameters)
{
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_LibraryPart_GetParams(part, a, b, count, parameters);
#else
    return ACAPI_LibPart_GetParams(part, a, b, count, parameters);
#endif
}
inline GSErrCode LibPartGetSection(Int32 part, API_LibPartSection* section, GSHandle* handle, GS::UniString* text)
{
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_LibraryPart_GetSection(part, section, handle, text);
#else
    return ACAPI_LibPart_GetSection(part, section, handle, text);
#endif
}
inline GSErrCode LibPartBuildSection(const API_LibPart* part, API_AddParType** parameters, double* a, double* b,
                                     GSHandle* built)
{
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_LibraryPart_GetSect_ParamDef(part, parameters, a, b, nullptr, built);
#else
    return ACAPI_LibPart_GetSect_ParamDef(part, parameters, a, b, nullptr, built);
#endif
}
inline GSErrCode LibPartUpdateSection(Int32 part, const API_LibPartSection* section, GSHandle handle,
                                      const GS::UniString& text)
{
#if KORVEL_HOST_GENERATION >= 29
    GS::UniString copy = text;
    return ACAPI_LibraryPart_UpdateSection(part, section, handle, &copy);
#else
    return ACAPI_LibPart_UpdateSection(part, section, handle, &text);
#endif
}
// A section the part does not have yet. Generation 29 adds sections only to a part being
// created; on a registered part, updating a section it lacks creates it.
inline GSErrCode LibPartAddSection(Int32 part, const API_LibPartSection* section, GSHandle handle,
                                   const GS::UniString& text)
{
#if KORVEL_HOST_GENERATION >= 29
    return LibPartUpdateSection(part, section, handle, text);
#else
    return ACAPI_LibPart_AddSection(part, section, handle, &text);
#endif
}
inline GSErrCode GetLibraries(GS::Array<API_LibraryInfo>* libraries, Int32* embedded)
{
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_LibraryManagement_GetLibraries(libraries, embedded);
#else
    return ACAPI_Environment(APIEnv_GetLibrariesID, libraries, embedded);
#endif
}
inline GSErrCode SetLibraries(const GS::Array<API_LibraryInfo>* libraries)
{
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_LibraryManagement_SetLibraries(libraries);
#else
    return ACAPI_Environment(APIEnv_SetLibrariesID, const_cast<GS::Array<API_LibraryInfo>*>(libraries));
#endif
}

} // namespace KRV::port::gen
