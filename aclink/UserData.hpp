#pragma once

namespace KRV {

// Refreshes the catalogue data stored with the project's attributes.
void UpdateAttributesUserData();

} // namespace KRV
