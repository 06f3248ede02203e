#include "framework/streaming/persistent.h"

#include "framework/rtl/format.h"
#include "framework/rtl/sysconst.h"
#include "framework/streaming/form_loading.h"
#include "rtl/resstrings.h"

TAVRION_CLASS_INFO(TPersistent, "Classes") {}

TPersistent::~TPersistent() {
  RemoveGlobalFixupsOf(this);
}

void TPersistent::Assign(TPersistent* source) {
  if (source == nullptr) AssignError(nullptr);
  source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) {
  dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* source) {
  const std::string source_name = source != nullptr ? source->ClassName() : "nil";
  throw EConvertError(Format(LoadResString(SAssignError), {source_name, ClassName()}));
}

std::string TPersistent::GetNamePath() {
  std::string path = ClassName();
  TPersistent* owner = GetOwner();
  if (owner != nullptr) {
    const std::string owner_path = owner->GetNamePath();
    if (!owner_path.empty()) path = owner_path + "." + path;
  }
  return path;
}

void TPersistent::DefineProperties(TFiler*) {}
