// The alert texts the add-on composes, and the "KV_" record names.
#include "Texts.hpp"

namespace KRV::texts {

std::string RecordName(const std::string& name)
{
    return recordPrefix + name;
}

GS::UniString RecordName(const GS::UniString& name)
{
    return GS::UniString(recordPrefix) + name;
}

GS::UniString ReplaceExistingQuestion(const GS::UniString& name, const GS::UniString& kind)
{
    return GS::UniString("'") + name +
           "' is already in this project.\nIf you continue, you will replace the existing " + kind +
           ".\nOr to keep the existing " + kind + " you can rename it within the Workbay.";
}

GS::UniString NamedTypeImported(const GS::UniString& name)
{
    return GS::UniString("You have imported \"") + name +
           "\".\nAll corresponding objects that have Name (Attribute)\nwith the same name will "
           "receive the attributes from Korvel.";
}

GS::UniString NamedTypeImportedWithoutElements(const GS::UniString& name)
{
    return GS::UniString("You have imported \"") + name +
           "\". Currently there are no objects in your project with the same name.\nWhen you "
           "change an object's Name (Attribute) to \"" +
           name + "\", it will receive the attributes from Korvel.";
}

GS::UniString IfcTranslatorMissing()
{
    return GS::UniString(ifcTranslatorName) + "\ntranslator not found!";
}

} // namespace KRV::texts
