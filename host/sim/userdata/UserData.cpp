// User data on attributes and elements, and add-on data records.
#include <cstring>

#include "APIdefs_UserData.h"
#include "BM.h"
#include "Calls.hpp"
#include "Edge.hpp"
#include "Host.hpp"

using sim::Host;

namespace {

GSErrCode Store(sim::StoredUserData& stored, const API_UserData* userData)
{
    if (userData == nullptr)
        return APIERR_BADPARS;
    stored.present = true;
    stored.version = userData->dataVersion;
    stored.platformSign = userData->platformSign;
    stored.flags = userData->flags;
    GSSize size = BMGetHandleSize(userData->dataHdl);
    stored.bytes.assign(userData->dataHdl != nullptr ? *userData->dataHdl : "", static_cast<std::size_t>(size));
    return NoError;
}

GSHandle Copy(const std::string& bytes)
{
    GSHandle handle = BMAllocateHandle(static_cast<GSSize>(bytes.size()), ALLOCATE_CLEAR, 0);
    if (handle != nullptr && !bytes.empty())
        std::memcpy(*handle, bytes.data(), bytes.size());
    return handle;
}

GSErrCode Load(const sim::StoredUserData& stored, API_UserData* userData)
{
    if (userData == nullptr)
        return APIERR_BADPARS;
    if (!stored.present)
        return APIERR_NOUSERDATA;
    userData->dataVersion = stored.version;
    userData->platformSign = stored.platformSign;
    userData->flags = stored.flags;
    userData->dataHdl = Copy(stored.bytes);
    return userData->dataHdl != nullptr ? NoError : APIERR_MEMFULL;
}

sim::Attribute* AttributeOf(const API_Attr_Head* head)
{
    if (head == nullptr)
        return nullptr;
    auto& attributes = Host::Get().GetProject().attributes;
    if (sim::IndexOf(head->index) != 0)
        return sim::FindAttribute(attributes, head->typeID, sim::IndexOf(head->index));
    return nullptr;
}

} // namespace

GSErrCode sim::calls::Attribute_SetUserData(API_Attr_Head* head, const API_UserData* userData)
{
    sim::Attribute* a = AttributeOf(head);
    return a == nullptr ? APIERR_BADINDEX : Store(a->userData, userData);
}

GSErrCode sim::calls::Attribute_GetUserData(API_Attr_Head* head, API_UserData* userData)
{
    sim::Attribute* a = AttributeOf(head);
    return a == nullptr ? APIERR_BADINDEX : Load(a->userData, userData);
}

GSErrCode ACAPI_Element_SetUserData(API_Elem_Head* head, const API_UserData* userData)
{
    SIM_ENTER_ELEMENT_CHANGE("ACAPI_Element_SetUserData");
    sim::Element* e = head != nullptr ? Host::Get().GetProject().elements.Find(head->guid) : nullptr;
    return e == nullptr ? APIERR_BADID : Store(e->userData, userData);
}

GSErrCode ACAPI_Element_GetUserData(API_Elem_Head* head, API_UserData* userData)
{
    SIM_ENTER("ACAPI_Element_GetUserData");
    sim::Element* e = head != nullptr ? Host::Get().GetProject().elements.Find(head->guid) : nullptr;
    return e == nullptr ? APIERR_BADID : Load(e->userData, userData);
}

GSErrCode ACAPI_ModulData_Store(const API_ModulData* data, const GS::UniString& modulName)
{
    SIM_ENTER("ACAPI_ModulData_Store");
    if (data == nullptr || modulName.IsEmpty())
        return APIERR_BADPARS;
    sim::AddOnDataRecord record;
    record.version = data->dataVersion;
    record.platformSign = data->platformSign;
    record.bytes.assign(data->dataHdl != nullptr ? *data->dataHdl : "",
                        static_cast<std::size_t>(BMGetHandleSize(data->dataHdl)));
    Host::Get().GetProject().addOnData.Put(modulName.ToUtf8(), std::move(record));
    return NoError;
}

GSErrCode ACAPI_ModulData_Get(API_ModulData* data, const GS::UniString& modulName)
{
    SIM_ENTER("ACAPI_ModulData_Get");
    if (data == nullptr)
        return APIERR_BADPARS;
    const sim::AddOnDataRecord* record = Host::Get().GetProject().addOnData.Find(modulName.ToUtf8());
    if (record == nullptr)
        return APIERR_NOMODULEDATA;
    data->dataVersion = record->version;
    data->platformSign = record->platformSign;
    data->dataHdl = Copy(record->bytes);
    return data->dataHdl != nullptr ? NoError : APIERR_MEMFULL;
}

GSErrCode ACAPI_ModulData_GetList(GS::Array<GS::UniString>* modulNameList)
{
    SIM_ENTER("ACAPI_ModulData_GetList");
    if (modulNameList == nullptr)
        return APIERR_BADPARS;
    for (const std::string& name : Host::Get().GetProject().addOnData.Keys())
        modulNameList->Push(GS::UniString(name));
    return NoError;
}
