#pragma once
// The host's error codes the add-on tells apart, by the add-on's own names: their values are
// the host generation's, so nothing outside the port spells a host error constant.
#include "GS/Types.hpp"

namespace KRV::hosterr {

extern const GSErrCode general;          // the host could not do it, for no reason it names
extern const GSErrCode memoryFull;       // the host is out of memory
extern const GSErrCode cancelled;        // the user cancelled (the progress window)
extern const GSErrCode badIndex;         // no attribute or library part of that index
extern const GSErrCode badName;          // no item of that name, or a name the host refuses
extern const GSErrCode badId;            // no item of that guid or unique id
extern const GSErrCode deleted;          // the attribute of that index was deleted
extern const GSErrCode attributeExists;  // an attribute of that name exists already
extern const GSErrCode nameInUse;        // a property group or definition of that name exists
extern const GSErrCode noUserData;       // the attribute carries no user data
extern const GSErrCode noModuleData;     // no add-on data record of that name
extern const GSErrCode noLibrarySection; // the library part has no section of that kind
extern const GSErrCode no3D;             // the element has no 3D model
extern const GSErrCode badElementType;   // a type the host has nothing for

} // namespace KRV::hosterr
