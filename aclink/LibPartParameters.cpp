// The catalogue's parameters of a library part: a title "KV_" and one text "KV_" per
// catalogue property, replaced on every import.
#include <cstring>

#include "ACLink.hpp"
#include "DBPrintf.h"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "KorvelLibraryPart.hpp"
#include "LibraryParts.hpp"
#include "Logger.hpp"
#include "Texts.hpp"

namespace KRV {

namespace {

constexpr const char* catalogueName = texts::recordPrefix;

bool IsCatalogueParameter(const port::LibPartParameters& parameters, std::size_t i)
{
    return parameters.KindOf(i) != port::LibPartParameters::Kind::other &&
           std::strncmp(parameters.Name(i).c_str(), catalogueName, 3) == 0;
}

} // namespace

GSErrCode ReplaceCatalogueParameters(LibraryPart& item)
{
    const auto* catalogue = dynamic_cast<const KorvelLibraryPart*>(&item);
    if (catalogue == nullptr)
        return NoError;
    const port::LibraryPartRecord record = item.GetLibPart();
    port::ParameterSection section;
    GSErrCode err = port::ReadParameterSection(record.Index(), section);
    if (err == hosterr::noLibrarySection) {
        // No parameter section yet: an empty one to write the catalogue's into.
        if (err = port::AddParameterSection(record.Index(), section); err != NoError) {
            LogArchicadErrorCodeMessage(err, "ReplaceCatalogueParameters::", port::addSectionCall);
            return err;
        }
    } else if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "ReplaceCatalogueParameters::", port::getSectionCall);
        return err;
    }
    // The part's own parameters: unread, writing the section would lose them.
    port::LibPartParameters old;
    if (err = port::ReadParameters(record.Index(), old); err != NoError) {
        LogArchicadErrorCodeMessage(err, "ReplaceCatalogueParameters::", port::getParametersCall);
        return err;
    }
    port::LibPartParameters added;
    int kept = 0;
    for (std::size_t i = 0; i < old.Count(); ++i) {
        if (IsCatalogueParameter(old, i)) {
            DBPrintf("Deleted name: %i - %s \n", static_cast<int>(i), old.Description(i).c_str());
        } else {
            added.Take(old, i);
            ++kept;
        }
    }
    const int oldCount = kept;
    DBPrintf("Old: %i \n", oldCount);

    added.AddTitle(catalogueName, "Korvel");
    int position = oldCount + 1;
    for (const KorvelProperty& property : catalogue->GetProperties().GetProperties()) {
        added.AddText(catalogueName, property.GetName().ToUtf8(), property.GetValue().ToUtf8());
        ++position;
        DBPrintf("Created name: %i - %s \n", position, property.GetName().ToCStr().Get());
    }
    DBPrintf("i=: %i \n", position);

    if (!added.Make()) {
        LogError("ReplaceCatalogueParameters: no memory for the parameters of " + item.GetName().ToUtf8() + ".");
        return hosterr::memoryFull;
    }
    const char* failed = nullptr;
    if (err = port::WriteParameterSection(record, section, added, "Korvel", failed); err != NoError) {
        LogArchicadErrorCodeMessage(err, "ReplaceCatalogueParameters::", failed);
        return err;
    }
    item.SetLibPart(record);
    return NoError;
}

} // namespace KRV
