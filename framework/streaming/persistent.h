// TPersistent: objects that can be assigned to each other and read from a
// form definition.
#pragma once

#include <string>

#include "framework/streaming/class_info.h"

class TFiler;

class TPersistent : public TObject {
  TAVRION_CLASS(TPersistent, TObject)

 public:
  TPersistent() = default;

  // Asks the source to assign itself to this object.
  virtual void Assign(TPersistent* source);
  // The owner query: none by default.
  virtual TPersistent* GetOwner() { return nullptr; }
  virtual std::string GetNamePath();
  // Offers the unpublished properties to a reader.
  virtual void DefineProperties(TFiler* filer);

 protected:
  // Drops the pending references of other roots that would set this object.
  ~TPersistent() override;

  virtual void AssignTo(TPersistent* dest);
  // EConvertError "Cannot assign a <source class> to a <this class>".
  [[noreturn]] void AssignError(TPersistent* source);
};
