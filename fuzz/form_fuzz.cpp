// Any bytes loaded as a form definition into test classes: the reader may
// refuse them with a framework exception, but must never crash, leak or
// leave the form half-registered.
#include <cstdint>
#include <cstdlib>

#include "framework/streaming/form_loading.h"
#include "tests/support/test_classes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  test_classes::RegisterColorIdents();
  TMemoryStream stream(std::vector<unsigned char>(data, data + size));
  auto* form = Construct<test_classes::TTestForm>(nullptr);
  try {
    ReadComponent(stream, form);
  } catch (const Exception&) {
    // Refusals are expected; only crashes and leaks are faults here.
  }
  form->Free();
  test_classes::events.clear();
  if (GlobalFixupCount() != 0) std::abort();
  return 0;
}
