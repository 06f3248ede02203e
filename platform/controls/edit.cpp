// Placeholder until the control is built.
#include "system_classes.h"

namespace controls {

void RegisterEditClass() {}

}  // namespace controls
