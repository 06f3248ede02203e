// TComponent: named objects that own other components and tell each other
// when one is inserted or removed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/rtl/flags.h"
#include "framework/streaming/persistent.h"

class TReader;

class EComponentError : public Exception {
 public:
  using Exception::Exception;
};

enum class TComponentStateFlag : std::uint16_t {
  csLoading = 1 << 0,
  csReading = 1 << 1,
  csDestroying = 1 << 3,
  csDesigning = 1 << 4,
  csUpdating = 1 << 6,
  csFreeNotification = 1 << 8,
  csInline = 1 << 9,
};
using enum TComponentStateFlag;
TAVRION_FLAGS(TComponentState, TComponentStateFlag)

enum TOperation { opInsert = 0, opRemove = 1 };

class TComponent : public TPersistent {
  TAVRION_CLASS(TComponent, TPersistent)

 public:
  // The owner is remembered here; the component is inserted into it by
  // AfterConstruction, once it is whole (make it with Construct<T>).
  explicit TComponent(TComponent* owner);
  void AfterConstruction() override;
  void BeforeDestruction() override;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name);
  std::int32_t Tag() const { return tag_; }
  void SetTag(std::int32_t tag) { tag_ = tag; }

  int ComponentCount() const { return components_ ? static_cast<int>(components_->size()) : 0; }
  // EListError "List index out of bounds (%d)" outside 0 .. count - 1.
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  void SetComponentIndex(int index);
  TComponentState ComponentState() const { return state_; }
  std::uint8_t ComponentStyle() const { return style_; }
  std::int32_t DesignInfo() const { return design_info_; }

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();
  void Destroying();
  TComponent* FindComponent(std::string_view name) const;
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);
  void SetDesigning(bool value, bool children = true);

  // For the reader, which drives the state while it loads a component.
  void IncludeState(TComponentState flags) { state_.Include(flags); }
  void ExcludeState(TComponentState flags) { state_.Exclude(flags); }

  virtual void Loaded();
  virtual void ReadState(TReader* reader);
  virtual void Notification(TComponent* component, TOperation operation);
  virtual void ValidateRename(TComponent* component, const std::string& current_name,
                              const std::string& new_name);
  virtual TComponent* GetChildOwner() { return nullptr; }
  virtual TComponent* GetChildParent() { return this; }
  virtual void SetChildOrder(TComponent*, int) {}
  virtual void SetParentComponent(TComponent*) {}
  virtual TComponent* GetParentComponent() { return nullptr; }
  virtual bool HasParent() { return false; }
  virtual void Updating() { state_.Include(csUpdating); }
  virtual void Updated() { state_.Exclude(csUpdating); }
  // The container check: asks `component` whether this may own it.
  virtual void ValidateContainer(TComponent* component);
  virtual void ValidateInsert(TComponent*) {}

  TPersistent* GetOwner() override { return owner_; }
  std::string GetNamePath() override { return name_; }
  void DefineProperties(TFiler* filer) override;

 protected:
  // Destroys what the component still owns. A class whose destructor body
  // needs its owned components gone calls DestroyComponents() at its end.
  ~TComponent() override;

 private:
  void SetReference(bool enable);
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void RemoveNotification(TComponent* component);

  TComponent* owner_ = nullptr;
  TComponent* pending_owner_ = nullptr;
  std::string name_;
  std::int32_t tag_ = 0;
  std::unique_ptr<std::vector<TComponent*>> components_;
  std::unique_ptr<std::vector<TComponent*>> free_notifies_;
  std::int32_t design_info_ = 0;
  TComponentState state_;
  std::uint8_t style_ = 0;
};

// A component name must be an identifier: a letter or "_", then letters,
// digits or "_".
bool IsValidIdent(std::string_view name);
