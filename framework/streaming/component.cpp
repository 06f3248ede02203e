#include "framework/streaming/component.h"

#include <algorithm>

#include "framework/rtl/format.h"
#include "framework/rtl/sysconst.h"
#include "framework/streaming/reader.h"
#include "rtl/resstrings.h"

namespace {

const TTypeInfo* TypeInfoComponentName() {
  static const TTypeInfo& type = *new TTypeInfo(MakeStringType("TComponentName"));
  return &type;
}

}  // namespace

TAVRION_CLASS_INFO(TComponent, "Classes") {
  using TComponentName = TPublishedAlias<std::string, TypeInfoComponentName>;
  c.Property<&TComponent::name_, &TComponent::SetName, TComponentName>("Name").NotStored();
  c.Property<&TComponent::tag_, &TComponent::tag_>("Tag").Default(0);
}

bool IsValidIdent(std::string_view name) {
  const auto alpha = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
  };
  if (name.empty() || !alpha(name[0])) return false;
  return std::all_of(name.begin() + 1, name.end(),
                     [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner) : pending_owner_(owner) {
  style_ = 1;
}

void TComponent::AfterConstruction() {
  TComponent* owner = pending_owner_;
  pending_owner_ = nullptr;
  if (owner != nullptr) owner->InsertComponent(this);
}

void TComponent::BeforeDestruction() {
  if (!state_.Has(csDestroying)) Destroying();
}

TComponent::~TComponent() {
  Destroying();
  // Each one told removes itself from the list; one that does not is
  // dropped here so the loop always ends.
  while (free_notifies_ && !free_notifies_->empty()) {
    TComponent* other = free_notifies_->back();
    other->Notification(this, opRemove);
    if (free_notifies_ && !free_notifies_->empty() && free_notifies_->back() == other) {
      free_notifies_->pop_back();
    }
  }
  free_notifies_.reset();
  DestroyComponents();
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

void TComponent::Destroying() {
  if (state_.Has(csDestroying)) return;
  state_.Include(csDestroying);
  for (int i = 0; i < ComponentCount(); ++i)
    (*components_)[static_cast<std::size_t>(i)]->Destroying();
}

void TComponent::DestroyComponents() {
  while (components_ && !components_->empty()) {
    TComponent* instance = components_->back();
    if (instance->state_.Has(csFreeNotification) ||
        (state_.Has(csDesigning) && state_.Has(csInline))) {
      RemoveComponent(instance);
    } else {
      Remove(instance);
    }
    instance->Free();
  }
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) {
    throw EListError(Format(LoadResString(SListIndexError), {std::int64_t{index}}));
  }
  return (*components_)[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (owner_ == nullptr || !owner_->components_) return -1;
  const auto& list = *owner_->components_;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int index) {
  const int current = ComponentIndex();
  if (current < 0) return;
  auto& list = *owner_->components_;
  index = std::clamp(index, 0, static_cast<int>(list.size()) - 1);
  if (index == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + index, this);
}

void TComponent::Insert(TComponent* component) {
  if (!components_) components_ = std::make_unique<std::vector<TComponent*>>();
  components_->push_back(component);
  component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
  component->owner_ = nullptr;
  if (!components_) return;
  const auto it = std::find(components_->begin(), components_->end(), component);
  if (it != components_->end()) components_->erase(it);
  if (components_->empty()) components_.reset();
}

void TComponent::ValidateContainer(TComponent* component) {
  component->ValidateInsert(this);
}

void TComponent::InsertComponent(TComponent* component) {
  component->ValidateContainer(this);
  ValidateRename(component, {}, component->name_);
  Insert(component);
  component->SetReference(true);
  if (state_.Has(csDesigning)) component->SetDesigning(true);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  ValidateRename(component, component->name_, {});
  Notification(component, opRemove);
  component->SetReference(false);
  Remove(component);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component != nullptr) RemoveFreeNotification(component);
  // The list may change under a notification; the index is checked each time.
  for (int i = 0; i < ComponentCount(); ++i) {
    (*components_)[static_cast<std::size_t>(i)]->Notification(component, operation);
  }
}

void TComponent::RemoveNotification(TComponent* component) {
  if (!free_notifies_) return;
  const auto it = std::find(free_notifies_->begin(), free_notifies_->end(), component);
  if (it != free_notifies_->end()) free_notifies_->erase(it);
  if (free_notifies_->empty()) free_notifies_.reset();
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  RemoveNotification(component);
  component->RemoveNotification(this);
}

void TComponent::FreeNotification(TComponent* component) {
  if (owner_ == nullptr || component->owner_ != owner_) {
    if (!free_notifies_) free_notifies_ = std::make_unique<std::vector<TComponent*>>();
    if (std::find(free_notifies_->begin(), free_notifies_->end(), component) ==
        free_notifies_->end()) {
      free_notifies_->push_back(component);
      component->FreeNotification(this);
    }
  }
  state_.Include(csFreeNotification);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty() || !components_) return nullptr;
  for (TComponent* component : *components_) {
    if (SameText(component->name_, name)) return component;
  }
  return nullptr;
}

void TComponent::SetName(const std::string& name) {
  if (name_ == name) return;
  if (!name.empty() && !IsValidIdent(name)) {
    throw EComponentError(Format(LoadResString(SInvalidName), {name}));
  }
  if (owner_ != nullptr) {
    owner_->ValidateRename(this, name_, name);
  } else {
    ValidateRename(nullptr, name_, name);
  }
  SetReference(false);
  name_ = name;
  SetReference(true);
}

void TComponent::ValidateRename(TComponent* component, const std::string& current_name,
                                const std::string& new_name) {
  if (component != nullptr && !SameText(current_name, new_name) && component->owner_ == this &&
      FindComponent(new_name) != nullptr) {
    throw EComponentError(Format(LoadResString(SDuplicateName), {new_name}));
  }
  if (state_.Has(csDesigning) && owner_ != nullptr) {
    owner_->ValidateRename(component, current_name, new_name);
  }
}

void TComponent::SetReference(bool enable) {
  if (owner_ == nullptr) return;
  const TPublishedField* field = FindPublishedField(owner_->ClassType(), name_);
  if (field != nullptr) field->Set(owner_, enable ? this : nullptr);
}

void TComponent::SetDesigning(bool value, bool children) {
  if (value) {
    state_.Include(csDesigning);
  } else {
    state_.Exclude(csDesigning);
  }
  if (!children) return;
  for (int i = 0; i < ComponentCount(); ++i) {
    (*components_)[static_cast<std::size_t>(i)]->SetDesigning(value);
  }
}

void TComponent::Loaded() {
  state_.Exclude(csLoading);
}

void TComponent::ReadState(TReader* reader) {
  reader->ReadData(this);
}

void TComponent::DefineProperties(TFiler* filer) {
  // The design-time place: left in the low half, top in the high half.
  filer->DefineValueProperty("Left", [this](TReader& reader) {
    const auto left = static_cast<std::uint16_t>(reader.ReadInteger());
    design_info_ =
        static_cast<std::int32_t>((static_cast<std::uint32_t>(design_info_) & 0xFFFF0000u) | left);
  });
  filer->DefineValueProperty("Top", [this](TReader& reader) {
    const auto top = static_cast<std::uint16_t>(reader.ReadInteger());
    design_info_ = static_cast<std::int32_t>((static_cast<std::uint32_t>(design_info_) & 0xFFFFu) |
                                             static_cast<std::uint32_t>(top) << 16);
  });
}
