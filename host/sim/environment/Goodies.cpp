// Host goodies: priorities, the library part of an element, element type names.
#include <cstring>
#include <map>

#include "APIdefs_Elements.h"
#include "APIdefs_LibParts.h"
#include "Calls.hpp"
#include "Edge.hpp"
#include "Host.hpp"

using sim::Host;

namespace sim::calls {

GSErrCode ElementPriority(const Int32* uiPriority, Int32* elemPriority)
{
    if (uiPriority == nullptr || elemPriority == nullptr)
        return APIERR_BADPARS;
    Int32 ui = *uiPriority;
    if (ui < 0 || ui > 16)
        return APIERR_BADPARS;
    *elemPriority = ui * 2 + 1;
    return NoError;
}

GSErrCode ElementLibPartUniqueId(const API_Elem_Head* head, char* out, GSErrCode notGdl)
{
    if (head == nullptr || out == nullptr)
        return APIERR_BADPARS;
    const sim::Element* e = Host::Get().GetProject().elements.Find(head->guid);
    if (e == nullptr)
        return APIERR_BADID;
    if (!sim::IsPlacedFromLibraryPart(e->kind))
        return notGdl;
    std::memset(out, 0, API_UniIDLen);
    std::memcpy(out, e->libraryPart.data(), std::min<std::size_t>(e->libraryPart.size(), API_UniIDLen - 1));
    return NoError;
}

GSErrCode ElemTypeName(API_ElemTypeID type, GS::UniString& name, GSErrCode none)
{
    // The host's user interface language here is German, as the sample projects are.
    static const std::map<API_ElemTypeID, const char*> names = {
        {API_WallID, "Wand"},
        {API_ColumnID, "Stütze"},
        {API_BeamID, "Unterzug"},
        {API_WindowID, "Fenster"},
        {API_DoorID, "Tür"},
        {API_ObjectID, "Objekt"},
        {API_LampID, "Lampe"},
        {API_SlabID, "Decke"},
        {API_RoofID, "Dach"},
        {API_CurtainWallID, "Fassade"},
        {API_CurtainWallSegmentID, "Fassadensegment"},
        {API_CurtainWallFrameID, "Fassadenprofil"},
        {API_CurtainWallPanelID, "Fassadenpaneel"},
        {API_CurtainWallJunctionID, "Fassadenverbindung"},
        {API_CurtainWallAccessoryID, "Fassadenzubehör"},
        {API_StairID, "Treppe"},
        {API_RiserID, "Setzstufe"},
        {API_TreadID, "Trittstufe"},
        {API_StairStructureID, "Treppenstruktur"},
    };
    auto it = names.find(type);
    if (it == names.end())
        return none;
    name = it->second;
    return NoError;
}

} // namespace sim::calls
