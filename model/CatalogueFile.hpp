#pragma once
// The catalogue side that library parts and libraries share: the service's id, the file's
// name, address and preview, and the data-sheet properties.
#include "KorvelProperties.hpp"

namespace KRV {

template <typename FileItem> class CatalogueFile : public virtual FileItem {
public:
    GS::UniString GetName() const override { return name; }
    void SetName(const GS::UniString& value) override { name = value; }
    GS::UniString GetFile() const override { return file; }
    void SetFile(const GS::UniString& value) override { file = value; }
    GS::UniString GetPath() const override { return path; }
    void SetPath(const GS::UniString& value) override { path = value; }
    GS::UniString GetImage() const override { return image; }
    void SetImage(const GS::UniString& value) override { image = value; }

    GS::UniString GetID() const { return id; }
    void SetID(const GS::UniString& value) { id = value; }
    KorvelProperties GetProperties() const { return properties; }
    void SetProperties(const KorvelProperties& value) { properties = value; }

private:
    GS::UniString id = "Undefined";
    GS::UniString name;
    GS::UniString file;
    GS::UniString path;
    GS::UniString image;
    KorvelProperties properties;
};

} // namespace KRV
