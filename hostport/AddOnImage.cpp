// The add-on's image as the host loads it: its four entry points and its resources.
#include "AddOnImage.hpp"

#include <vector>

#include "ACAPinc.h"
#if KORVEL_HOST_GENERATION >= 29
#include "StandAloneLoader.h" // what the real host reads from the binary, handed over
#endif

// The host finds these by their names.
API_AddonType CheckEnvironment(API_EnvirParams* envir)
{
    return KRV::entry::CheckEnvironment(envir->addOnInfo.name, envir->addOnInfo.description) ? APIAddon_Normal
                                                                                             : APIAddon_DontRegister;
}

GSErrCode RegisterInterface()
{
    return KRV::entry::RegisterInterface();
}

GSErrCode Initialize()
{
    return KRV::entry::Initialize();
}

GSErrCode FreeData()
{
    return KRV::entry::FreeData();
}

namespace {

const API_ResourceString* Resources()
{
    static const std::vector<API_ResourceString> resources = [] {
        std::vector<API_ResourceString> list;
        for (const KRV::entry::ResourceString* r = KRV::entry::resourceStrings;; ++r) {
            list.push_back({r->resId, r->index, r->text});
            if (r->text == nullptr)
                return list;
        }
    }();
    return resources.data();
}

} // namespace

namespace KRV {

const API_AddOnImage& AddOnImage()
{
    static const API_AddOnImage image{CheckEnvironment, RegisterInterface, Initialize, FreeData, Resources()};
    return image;
}

} // namespace KRV
