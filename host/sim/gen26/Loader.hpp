#pragma once
// What the host finds in an add-on's image: generation 26's surface declares it.
#include "APIdefs_Registration.h"
