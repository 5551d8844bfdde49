// Add-on data records and element user data, as generation 26 keeps them.
#include "AddOnData.hpp"

#include "ACAPinc.h"
#include "internal/Records.hpp"

namespace KRV::port {

namespace {
// The platform the add-on writes its data on, as the host records it with the data.
constexpr unsigned short platformSign = 0x6D6D;
} // namespace

const char* const readRecordCall = "ACAPI_ModulData_Get";
const char* const storeRecordCall = "ACAPI_ModulData_Store";
const char* const recordKeysCall = "ACAPI_ModulData_GetList";
const char* const setElementUserDataCall = "ACAPI_Element_SetUserData";

GSErrCode ReadRecord(const GS::UniString& key, GSHandle& data, Int32& version)
{
    API_ModulData record{};
    const GSErrCode err = ACAPI_ModulData_Get(&record, key);
    data = record.dataHdl;
    version = record.dataVersion;
    return err;
}

GSErrCode StoreRecord(const GS::UniString& key, GSHandle data)
{
    API_ModulData record{};
    record.dataVersion = 1;
    record.platformSign = platformSign;
    record.dataHdl = data;
    return ACAPI_ModulData_Store(&record, key);
}

GSErrCode RecordKeys(GS::Array<GS::UniString>& keys)
{
    return ACAPI_ModulData_GetList(&keys);
}

GSErrCode GetAttributeUserData(const AttributeHead& attribute, GSHandle& data)
{
    API_Attr_Head head = HostHead(attribute);
    API_UserData userData{};
#if KORVEL_HOST_GENERATION >= 29
    const GSErrCode err = ACAPI_UserData_GetUserData(&head, &userData);
#else
    const GSErrCode err = ACAPI_Attribute_GetUserData(&head, &userData);
#endif
    data = userData.dataHdl;
    return err;
}

GSErrCode SetAttributeUserData(const AttributeHead& attribute, GSHandle data)
{
    API_Attr_Head head = HostHead(attribute);
    API_UserData userData{};
    userData.dataVersion = 0;
    userData.platformSign = platformSign;
    userData.flags = 0;
    userData.dataHdl = data;
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_UserData_SetUserData(&head, &userData);
#else
    return ACAPI_Attribute_SetUserData(&head, &userData);
#endif
}

GSErrCode SetElementUserData(const API_Guid& element, GSHandle data)
{
    API_UserData userData{};
    userData.dataVersion = 1;
    userData.platformSign = platformSign;
#if KORVEL_HOST_GENERATION >= 29
    userData.flags = APIUserDataFlag_SkipRecalcAndDraw; // user data is undoable without asking
#else
    userData.flags = APIUserDataFlag_UndoAble | APIUserDataFlag_SkipRecalcAndDraw;
#endif
    userData.dataHdl = data;
    API_Elem_Head head{};
    head.guid = element;
    return ACAPI_Element_SetUserData(&head, &userData);
}

} // namespace KRV::port
