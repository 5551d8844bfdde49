#pragma once
// The add-on's entry points, as the host finds them in its image.
#include "APIdefs_Registration.h"

API_AddonType CheckEnvironment(API_EnvirParams* envir);
GSErrCode RegisterInterface();
GSErrCode Initialize();
GSErrCode FreeData();

namespace KRV {

GSErrCode MenuCommandHandler(const API_MenuParams* params);
GSErrCode DragNDropHandler(const API_IOParams* params);

// The entry points and compiled-in resources, for the host's loader.
const API_AddOnImage& AddOnImage();

} // namespace KRV
