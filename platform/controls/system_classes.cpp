// Registering the system window classes once.
#include "system_classes.h"

#include <mutex>

namespace controls {

void RegisterSystemClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterEditClass();
    RegisterButtonClass();
    RegisterCommonControls();
  });
}

}  // namespace controls
