// Small component classes for loading tests and the form-loading fuzz
// target: a form with two published controls, a font-like persistent, a
// collection, and properties of every kind the reader sets.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/streaming/class_registry.h"
#include "framework/streaming/collection.h"
#include "framework/streaming/component.h"

namespace test_classes {

// What the classes report: Loaded, child order, destruction, events.
extern std::vector<std::string> events;

TAVRION_SCOPED_ENUM(TStyle, std::uint8_t, stBold, stItalic)
TAVRION_SET(TStyles, TStyle)
// An enumeration of 40 values, so a set of it can name ordinals beyond 31.
const TTypeInfo* TypeInfoWide();
const TTypeInfo* TypeInfoWides();
// An integer type with identifiers clFace (15) and clRed (255), registered
// by RegisterColorIdents.
const TTypeInfo* TypeInfoColor();
void RegisterColorIdents();

class TFontLike : public TPersistent {
  TAVRION_CLASS(TFontLike, TPersistent)

 public:
  std::string name;
  std::int32_t height = 0;
  TStyles style;
};

class TItem : public TCollectionItem {
  TAVRION_CLASS(TItem, TCollectionItem)

 public:
  using TCollectionItem::TCollectionItem;
  std::int32_t value = 0;
};

class TControl : public TComponent {
  TAVRION_CLASS(TControl, TComponent)

 public:
  explicit TControl(TComponent* owner) : TComponent(owner) {}
  void Loaded() override {
    events.push_back("Loaded " + Name());
    TComponent::Loaded();
  }
  void SetParentComponent(TComponent* parent) override { this->parent = parent; }
  TComponent* GetParentComponent() override { return parent; }
  void SetChildOrder(TComponent* child, int order) override {
    events.push_back("order " + child->Name() + " " + std::to_string(order));
  }
  void DefineProperties(TFiler* filer) override {
    TComponent::DefineProperties(filer);
    filer->DefineBinaryProperty("Data", [this](TStream& stream) {
      data.resize(static_cast<std::size_t>(stream.Size()));
      stream.Read(data.data(), static_cast<std::int32_t>(data.size()));
    });
  }
  TFontLike* GetFont() const { return font.get(); }
  void SetFont(TFontLike* value) { font->name = value != nullptr ? value->name : ""; }
  TCollection* GetItems() { return items.get(); }
  void SetItems(TCollection*) {}
  std::string ReadOnly() const { return "r"; }

  TComponent* parent = nullptr;
  std::int32_t color = 0;
  std::int32_t left = 0;
  char letter = 0;
  TStyle align = TStyle::stBold;
  TSet<std::uint8_t> wides;
  long double ratio = 0;
  std::string caption;
  TControl* buddy = nullptr;
  TNotifyEvent on_change;
  std::int64_t big = 0;
  Variant extra;
  std::unique_ptr<TFontLike, FreeDeleter> font{Construct<TFontLike>()};
  std::unique_ptr<TCollection, FreeDeleter> items{Construct<TCollection>(&TItem::StaticClass())};
  std::vector<unsigned char> data;

 protected:
  ~TControl() override { events.push_back("destroy " + Name()); }
};

class TTestForm : public TControl {
  TAVRION_CLASS(TTestForm, TControl)

 public:
  using TControl::TControl;
  TControl* Edit1 = nullptr;
  TControl* Edit2 = nullptr;
  void EditChange(TObject* sender) {
    events.push_back("change " + static_cast<TComponent*>(sender)->Name());
  }
  // Published too, but of another signature than any event here.
  void EditChanging(TObject*, bool& allow) { allow = false; }
};

}  // namespace test_classes
