#pragma once
// The importers of materials, composites, library parts and library containers.
#include "ACLink.hpp"
#include "BaseImporter.hpp"

namespace KRV {

class MaterialImporter : public virtual BaseImporter {
public:
    explicit MaterialImporter(const json& data);
    bool Import() override;
    bool Import(const json& data) override;

private:
    ACLink link;
    std::unique_ptr<Material> item;
};

class ComplexMaterialImporter : public virtual BaseImporter {
public:
    explicit ComplexMaterialImporter(const json& data);
    bool Import() override;
    bool Import(const json& data) override;

private:
    ACLink link;
    std::unique_ptr<ComplexMaterial> item;
};

class LibraryImporter : public virtual BaseImporter {
public:
    explicit LibraryImporter(const json& data);
    bool Import() override;
    bool Import(const json& data) override;

private:
    ACLink link;
    std::unique_ptr<Library> item;
};

class LibraryPartImporter : public virtual BaseImporter {
public:
    explicit LibraryPartImporter(const json& data);
    bool Import() override;
    bool Import(const json& data) override;

private:
    // The name the part is looked up under: its file name without the extension.
    GS::UniString ObjectName() const;
    ACLink link;
    std::unique_ptr<LibraryPart> item;
};

} // namespace KRV
