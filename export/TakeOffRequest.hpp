#pragma once
// One "getCalculationData": the refresh of the stored catalogue data, then the take-off. What
// both read (each material, composite and library part in use, the walls, slabs and roofs)
// is read from the host once, while a request lives; the refresh's writes are seen by the
// take-off as the host holds them. Requests nest: each part opens one, so that either can
// also run alone.
#include "ElementStructure.hpp"
#include "GS/UniString.hpp"
#include "ReadCache.hpp"

namespace KRV {

class TakeOffRequest {
public:
    TakeOffRequest();
    ~TakeOffRequest();
    TakeOffRequest(const TakeOffRequest&) = delete;
    TakeOffRequest& operator=(const TakeOffRequest&) = delete;
    // The request's reads.
    ReadCache& Reads();

private:
    ShellFactsScope shells;
};

// Takes the current host values of the catalogue properties of the building materials in
// use into their stored texts.
void UpdateAttributesUserData();
// The project's quantity take-off; false when none could be made.
bool ExportCalculationData(GS::UniString& text);

} // namespace KRV
