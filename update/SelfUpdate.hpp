#pragma once
#include "GS/UniString.hpp"

namespace KRV {

// Downloads a newer installer of the add-on and starts it once the host has quit.
class SelfUpdate {
public:
    explicit SelfUpdate(const GS::UniString& installerUrl) : url(installerUrl) {}
    bool Update();

private:
    GS::UniString url;
};

} // namespace KRV
