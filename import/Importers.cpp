// The importers of materials, composites, library parts and library containers.
#include "Importers.hpp"

#include "KorvelComplexMaterial.hpp"
#include "KorvelMaterial.hpp"

namespace KRV {
namespace {

// The parser every importer needs; an importer without one cannot read its item.
Parser& Checked(const std::unique_ptr<Parser>& parser)
{
    if (parser == nullptr)
        throw std::logic_error("the importer has no parser");
    return *parser;
}

} // namespace

MaterialImporter::MaterialImporter(const json& data) : item(Checked(parser).GetMaterial(data)) {}

bool MaterialImporter::Import()
{
    // The item is consumed; a second run has nothing to write.
    std::unique_ptr<Material> taken = std::move(item);
    auto* material = dynamic_cast<KorvelMaterial*>(taken.get());
    if (material == nullptr)
        return false;
    KorvelMaterial copy(*material);
    copy.overrideSilently = bulk;
    if (!OverrideBuildingMaterialIfExist(copy))
        return false;
    bool result = link.CreateMaterial(copy);
    status = copy.status;
    return result;
}

bool MaterialImporter::Import(const json& data)
{
    if (item == nullptr)
        item = Checked(parser).GetMaterial(data);
    return Import();
}

ComplexMaterialImporter::ComplexMaterialImporter(const json& data) : item(Checked(parser).GetComplexMaterial(data)) {}

bool ComplexMaterialImporter::Import()
{
    std::unique_ptr<ComplexMaterial> taken = std::move(item);
    auto* composite = dynamic_cast<KorvelComplexMaterial*>(taken.get());
    if (composite == nullptr)
        return false;
    KorvelComplexMaterial copy(*composite);
    bool result = link.CreateComplexMaterial(copy);
    status = copy.status;
    return result;
}

bool ComplexMaterialImporter::Import(const json& data)
{
    if (item == nullptr)
        item = Checked(parser).GetComplexMaterial(data);
    return Import();
}

LibraryImporter::LibraryImporter(const json& data) : item(Checked(parser).GetLibrary(data)) {}

// Library importers leave their status "undefined" on success; a writer's failure is "failed".
bool LibraryImporter::Import()
{
    if (item == nullptr)
        return false;
    const bool result = link.CreateLibrary(*item);
    if (!result)
        status = "failed";
    return result;
}

bool LibraryImporter::Import(const json& data)
{
    std::unique_ptr<Library> library = Checked(parser).GetLibrary(data);
    const bool result = link.CreateLibrary(*library);
    if (!result)
        status = "failed";
    return result;
}

LibraryPartImporter::LibraryPartImporter(const json& data) : item(Checked(parser).GetLibraryPart(data)) {}

GS::UniString LibraryPartImporter::ObjectName() const
{
    GS::UniString name = item->GetName();
    // Too short to carry an extension: the name stands as it is.
    if (name.GetLength() > 4)
        name.DeleteLast(4);
    return name;
}

bool LibraryPartImporter::Import()
{
    if (item == nullptr || !OverrideObjectIfExist(ObjectName(), "object"))
        return false;
    const bool result = link.CreateLibraryPart(*item);
    if (!result)
        status = "failed";
    return result;
}

bool LibraryPartImporter::Import(const json& data)
{
    if (item == nullptr || !OverrideObjectIfExist(ObjectName(), "object"))
        return false;
    std::unique_ptr<LibraryPart> part = Checked(parser).GetLibraryPart(data);
    const bool result = link.CreateLibraryPart(*part);
    if (!result)
        status = "failed";
    return result;
}

} // namespace KRV
