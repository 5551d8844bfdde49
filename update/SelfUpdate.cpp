#include "SelfUpdate.hpp"

#include "Logger.hpp"

namespace KRV {

bool SelfUpdate::Update()
{
    LogError("Self-update is not available in this version of the add-on.");
    return false;
}

} // namespace KRV
