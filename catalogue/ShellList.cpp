// The walls, slabs and roofs of the project, listed for a walk over what they are built of.
#include "ShellList.hpp"

#include "Elements.hpp"

namespace KRV {

GS::Array<API_Guid> g_elemList;

int InitCompMatElemList()
{
    g_elemList.Clear();
    for (port::ElemKind kind : port::shellKinds) {
        GS::Array<API_Guid> more;
        if (GSErrCode err = port::ElementList(kind, more); err != NoError)
            return err;
        for (const API_Guid& guid : more)
            g_elemList.Push(guid);
    }
    return NoError;
}

void ClearCompMatElemList()
{
    g_elemList.Clear();
}

} // namespace KRV
