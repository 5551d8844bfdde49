#pragma once
// The add-on's own texts and numbers in one place: undo step names, alert texts, the
// progress window's title, the "KV_" record names, the result codes the add-on makes up and
// the palettes' resource ids. Log lines stay next to the code that writes them.
#include <string>

#include "GS/UniString.hpp"

namespace KRV::texts {

// Undo step names.
constexpr const char* undoGroupProperties = "Create group properties";
constexpr const char* undoPropertyDefinition = "Create property definition";
constexpr const char* undoMaterialProperty = "Create material property";
constexpr const char* undoReplaceComposite = "Replace construction system";
constexpr const char* undoElementUserData = "Set user data to an elem";
constexpr const char* undoObserveElements = "Observe elements";

// The bulk import's progress window.
constexpr const char* pleaseWait = "Please wait...";

// The add-on data record (and the library parameters) of a catalogue item: "KV_" + its name.
constexpr const char* recordPrefix = "KV_";
std::string RecordName(const std::string& name);
GS::UniString RecordName(const GS::UniString& name);

// Codes the add-on answers that are no host error: an element or export it cannot handle,
// and a replacement the user rejected.
constexpr int notHandled = -7003;
constexpr int userKeptExisting = -128;

// Resource ids of the palettes' dialogs (and of the menus that open them).
constexpr short browserPaletteResId = 32500;
constexpr short nativePaletteResId = 32400;

// Alerts.
// Asks whether the existing item of that name may be replaced; buttons "Continue", "Reject".
GS::UniString ReplaceExistingQuestion(const GS::UniString& name, const GS::UniString& kind);
constexpr const char* continueButton = "Continue";
constexpr const char* rejectButton = "Reject";
// After a curtain wall or stair type was stored: whether elements of its name exist.
GS::UniString NamedTypeImported(const GS::UniString& name);
GS::UniString NamedTypeImportedWithoutElements(const GS::UniString& name);
// The IFC export's translator and its alert.
constexpr const char* ifcTranslatorName = "IFC4 Design Transfer View";
GS::UniString IfcTranslatorMissing();
constexpr const char* projectWithoutName = "The project has no name";
constexpr const char* exportAborted = "Export aborted";
constexpr const char* okButton = "OK";

} // namespace KRV::texts
