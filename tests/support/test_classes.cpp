#include "tests/support/test_classes.h"

namespace test_classes {

std::vector<std::string> events;

const TTypeInfo* TypeInfoStyle() {
  static const TTypeInfo type = MakeEnumType("TStyle", otUByte, {"stBold", "stItalic"});
  return &type;
}
const TTypeInfo* TypeInfoStyles() {
  static const TTypeInfo type = MakeSetType("TStyles", TypeInfoStyle());
  return &type;
}
const TTypeInfo* TypeInfoWide() {
  static const TTypeInfo type = [] {
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) names.push_back("w" + std::to_string(i));
    return MakeEnumType("TWide", otUByte, names);
  }();
  return &type;
}
const TTypeInfo* TypeInfoWides() {
  static const TTypeInfo type = MakeSetType("TWides", TypeInfoWide());
  return &type;
}
const TTypeInfo* TypeInfoColor() {
  static const TTypeInfo type = MakeIntegerType("TColor", otSLong, INT32_MIN, INT32_MAX);
  return &type;
}
namespace {

const TIdentMapEntry kColors[] = {{0x0F, "clFace"}, {0xFF, "clRed"}};

bool ColorToInt(const std::string& ident, std::int32_t& value) {
  return IdentToInt(ident, value, kColors);
}
bool IntToColor(std::int32_t value, std::string& ident) {
  return IntToIdent(value, ident, kColors);
}

}  // namespace

void RegisterColorIdents() {
  static const bool registered = [] {
    RegisterIntConst(TypeInfoColor(), ColorToInt, IntToColor);
    return true;
  }();
  (void)registered;
}

TAVRION_CLASS_INFO(TFontLike, "Tests") {
  c.Property<&TFontLike::name, &TFontLike::name>("Name", TypeInfoString);
  c.Property<&TFontLike::height, &TFontLike::height>("Height", TypeInfoInteger);
  c.Property<&TFontLike::style, &TFontLike::style>("Style", TypeInfoStyles);
}
TAVRION_CLASS_INFO(TItem, "Tests") {
  c.Property<&TItem::value, &TItem::value>("Value", TypeInfoInteger);
}
TAVRION_CLASS_INFO(TControl, "Tests") {
  c.Property<&TControl::color, &TControl::color>("Color", TypeInfoColor);
  c.Property<&TControl::left, &TControl::left>("Left", TypeInfoInteger);
  c.Property<&TControl::letter, &TControl::letter>("Letter", TypeInfoChar);
  c.Property<&TControl::align, &TControl::align>("Align", TypeInfoStyle);
  c.Property<&TControl::wides, &TControl::wides>("Wides", TypeInfoWides);
  c.Property<&TControl::ratio, &TControl::ratio>("Ratio", TypeInfoExtended);
  c.Property<&TControl::caption, &TControl::caption>("Caption", TypeInfoString);
  c.Property<&TControl::buddy, &TControl::buddy>("Buddy", TypeInfoOf<TControl>);
  c.Property<&TControl::GetFont, &TControl::SetFont>("Font", TypeInfoOf<TFontLike>);
  c.Property<&TControl::GetItems, &TControl::SetItems>("Items", TypeInfoOf<TCollection>);
  c.Property<&TControl::big, &TControl::big>("Big", TypeInfoInt64);
  c.Property<&TControl::extra, &TControl::extra>("Extra", TypeInfoVariant);
  c.Property<&TControl::ReadOnly, nullptr>("ReadOnly", TypeInfoString);
  c.Property<&TControl::on_change, &TControl::on_change>("OnChange", TypeInfoNotifyEvent);
}
TAVRION_CLASS_INFO(TTestForm, "Tests") {
  c.Field<&TTestForm::Edit1>("Edit1");
  c.Field<&TTestForm::Edit2>("Edit2");
  c.Method<&TTestForm::EditChange>("EditChange");
  c.Method<&TTestForm::EditChanging>("EditChanging");
}

bool ColorToInt(const std::string& ident, std::int32_t& value) {
  return IdentToInt(ident, value, kColors);
}
bool IntToColor(std::int32_t value, std::string& ident) {
  return IntToIdent(value, ident, kColors);
}

}  // namespace test_classes
