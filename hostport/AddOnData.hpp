#pragma once
// What the add-on keeps in the project besides attributes: its add-on data records (the
// "KV_" records), and the user data it stores on elements. The bytes travel in host memory
// handles the caller owns (HandleGuard), so the host's allocation is seen where it fails.
#include "API_Guid.h"
#include "Attributes.hpp"
#include "GS/Array.hpp"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace KRV::port {

// The record of that key: its bytes (the caller releases the handle, whatever the answer) and
// its data version.
GSErrCode ReadRecord(const GS::UniString& key, GSHandle& data, Int32& version);
extern const char* const readRecordCall;
// Stores the bytes under the key, in data version 1.
GSErrCode StoreRecord(const GS::UniString& key, GSHandle data);
extern const char* const storeRecordCall;
// The keys of every record of the project.
GSErrCode RecordKeys(GS::Array<GS::UniString>& keys);
extern const char* const recordKeysCall;

// The attribute's user data: its bytes (the caller releases the handle, whatever the
// answer); hosterr::noUserData when it has none.
GSErrCode GetAttributeUserData(const AttributeHead& attribute, GSHandle& data);
extern const char* const getAttributeUserDataCall;
// Stores the bytes as the attribute's user data, in data version 0 and the add-on's sign.
GSErrCode SetAttributeUserData(const AttributeHead& attribute, GSHandle data);
extern const char* const setAttributeUserDataCall;

// The element's user data, in data version 1, undoable: to run inside a command.
GSErrCode SetElementUserData(const API_Guid& element, GSHandle data);
extern const char* const setElementUserDataCall;

} // namespace KRV::port
