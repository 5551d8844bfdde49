#pragma once
// What the host finds in an add-on's image: in generation 29 the add-on exports its entry
// points by name and carries compiled resources; the stand-alone host is handed both.
#include "StandAloneLoader.h"
