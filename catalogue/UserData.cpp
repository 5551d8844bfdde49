// The catalogue identity kept in the project: stored texts in user data and "KV_" records.
#include "UserData.hpp"

#include "AddOnData.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "HostMemory.hpp"
#include "JsonWriter.hpp"
#include "Logger.hpp"
#include "Properties.hpp"
#include "Texts.hpp"

namespace KRV {

GS::UniString StoredText(const KorvelProperties& properties)
{
    return StoredText(properties.View());
}

GS::UniString StoredText(const std::vector<KorvelProperty>& properties)
{
    // As the JSON library prints the list, members in the order of their names, without
    // building it first: a refresh writes thousands of lists.
    std::string text;
    JsonWriter out = JsonWriter::Compact(text);
    out.BeginArray();
    for (const KorvelProperty& property : properties) {
        out.BeginObject();
        out.Member("group", property.GetGroup().ToUtf8());
        out.Member("name", property.GetName().ToUtf8());
        out.Member("type", property.GetType().ToUtf8());
        out.Member("unit", property.GetUnit().ToUtf8());
        out.Member("value", property.GetValue().ToUtf8());
        out.EndObject();
    }
    out.EndArray();
    return GS::UniString(text);
}

int AddUserData(const port::AttributeHead& attr, const GS::UniString& text)
{
    HandleGuard handle(TextHandle(text));
    if (handle.Get() == nullptr) {
        LogError("KRV::AddUserData - couldn't allocate handle");
        return hosterr::general;
    }
    GSErrCode err = port::SetAttributeUserData(attr, handle.Get());
    if (err != NoError)
        LogArchicadErrorCodeMessage(err, "KRV::AddUserData(API_Attribute attr, std::string data) - ",
                                    port::setAttributeUserDataCall);
    return err;
}

int GetUserData(const port::AttributeHead& attr, GS::UniString& text)
{
    std::string bytes;
    const int err = GetUserData(attr, bytes);
    if (err == NoError)
        text = GS::UniString(bytes);
    return err;
}

int GetUserData(const port::AttributeHead& attr, std::string& text)
{
    GSHandle data = nullptr;
    GSErrCode err = port::GetAttributeUserData(attr, data);
    HandleGuard handle(data);
    if (err == hosterr::noUserData)
        return err;
    if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "KRV::GetUserData ", port::getAttributeUserDataCall);
        return err;
    }
    text = HandleBytes(handle.Get());
    return NoError;
}

int SetUserDataToElem(const API_Guid& element, const GS::UniString& text)
{
    HandleGuard handle(TextHandle(text));
    if (handle.Get() == nullptr) {
        LogError("KRV::SetUserDataToElem - couldn't allocate handle");
        return hosterr::memoryFull;
    }
    return RunWrite(texts::undoElementUserData, "SetUserDataToElem", [&]() -> GSErrCode {
        GSErrCode err = port::SetElementUserData(element, handle.Get());
        if (err != NoError)
            LogArchicadErrorCodeMessage(err, "SetUserDataToElem::", port::setElementUserDataCall);
        return err;
    });
}

std::optional<GS::UniString> ReadModulData(const GS::UniString& name, const char* operation, GSErrCode& code)
{
    GSHandle data = nullptr;
    Int32 version = 0;
    code = port::ReadRecord(texts::RecordName(name), data, version);
    HandleGuard handle(data);
    if (!ReadSucceeded(code, operation, port::readRecordCall, hosterr::noModuleData) || code != NoError || version != 1)
        return std::nullopt;
    return HandleText(handle.Get());
}

int CreateModulData(const GS::UniString& name, const GS::UniString& text)
{
    GS::UniString key = texts::RecordName(name);
    HandleGuard handle(TextHandle(text));
    if (handle.Get() == nullptr) {
        LogError("KRV::CreateModulData - couldn't allocate handle");
        return hosterr::memoryFull;
    }
    GSErrCode err = port::StoreRecord(key, handle.Get());
    if (err != NoError)
        LogArchicadErrorCodeMessage(err, "CreateModulData::", port::storeRecordCall);
    return err;
}

port::Attribute GetAttribute(GS::UniString name, port::AttrType type)
{
    port::Attribute attribute(port::AttrRef(type, 0));
    attribute.head.name = name;
    GSErrCode err = port::GetAttribute(attribute);
    if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "GetAttribute(GS::UniString name, API_AttrTypeID typeID)");
        attribute = port::Attribute(port::AttrRef(type, 0));
        attribute.head.name = name;
    }
    return attribute;
}

} // namespace KRV
