#pragma once
// The catalogue identity the add-on keeps in the project: an item's property list as
// compact JSON text ("the stored text"), in attribute user data, element user data and
// "KV_" add-on data records. An attribute's catalogue id is the value of its stored
// property "id".
#include <optional>
#include <vector>

#include "API_Guid.h"
#include "Attributes.hpp"
#include "GS/Array.hpp"
#include "HostErrors.hpp"
#include "JsonText.hpp"
#include "KorvelProperties.hpp"

namespace KRV {

// The stored text of a property list.
GS::UniString StoredText(const KorvelProperties& properties);
GS::UniString StoredText(const std::vector<KorvelProperty>& properties);

int AddUserData(const port::AttributeHead& attr, const GS::UniString& text);
// hosterr::noUserData (not logged) when the attribute has none; `text` is then unchanged.
int GetUserData(const port::AttributeHead& attr, GS::UniString& text);
int GetUserData(const port::AttributeHead& attr, std::string& text);
int SetUserDataToElem(const API_Guid& element, const GS::UniString& text);
int CreateModulData(const GS::UniString& name, const GS::UniString& text);
// Reads the add-on data record "KV_" + name. Its text when the record exists in data
// version 1; `code` receives the host's answer, and a failure other than "no such record"
// is logged with `operation` (its text before the host call, separator included) and the call.
std::optional<GS::UniString> ReadModulData(const GS::UniString& name, const char* operation, GSErrCode& code);

// The attribute of that type and name; on failure (logged) the record holds only the
// type and the name, with index 0.
port::Attribute GetAttribute(GS::UniString name, port::AttrType type);

} // namespace KRV
