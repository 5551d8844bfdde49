#pragma once
// The quantity take-off and the update status report, read from the project.
#include <optional>
#include <string_view>
#include <vector>

#include "Elements.hpp"
#include "JsonText.hpp"
#include "JsonWriter.hpp"
#include "ReadCache.hpp"

namespace KRV {

class ExportManager {
public:
    // Reads through the request's `cache`.
    explicit ExportManager(ReadCache& cache) : cache(cache) {}
    // The take-off's parts, each written as a JSON value into `out`.
    // "ProductInfo": windows, doors, objects, columns, beams.
    void CalculateObjects(JsonWriter& out);
    // "CurtainWallInfo" and "StairCalculationInfo": null when the project has none.
    void CalculateCurtainWalls(JsonWriter& out);
    void CalculateStairs(JsonWriter& out);
    // "SystemInfo": walls, then slabs, then roofs.
    void CalculateComposites(JsonWriter& out);

    ReadCache& Cache() { return cache; }
    // The elements of a type as the host lists them (`filter` its list filter). A list the
    // host cannot give is logged, and leaves the take-off incomplete: the request then fails
    // rather than answer as if the project had none of them.
    GS::Array<API_Guid> Elements(port::ElemKind kind, UInt32 filter, const char* where);
    bool Complete() const { return cache.Complete(); }

private:
    // The entries of one type, into the open list `out`.
    void CalculateElements(port::ElemKind kind, const char* defaultUnit, JsonWriter& out);
    void CalculateCompositeElements(port::ElemKind kind, JsonWriter& out);

    ReadCache& cache; // one request's reads
};

// A property list as the reply gives it: a list of objects of texts; with `onlyGroup`, only
// the properties of that group.
void WriteProperties(JsonWriter& out, const StoredList& properties,
                     std::optional<std::string_view> onlyGroup = std::nullopt);
GS::UniString GetLayerType(short flagBits);

// A number at the start of a text, as the C library's atof reads it in the C locale;
// 0 when there is none or it is not finite.
double LeadingNumber(const GS::UniString& text);

} // namespace KRV
