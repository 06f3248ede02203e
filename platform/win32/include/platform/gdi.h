// The system's own declarations (see system_api.h).
#pragma once

#include <platform/system_api.h>
