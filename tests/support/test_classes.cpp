#include "tests/support/test_classes.h"

namespace test_classes {

std::vector<std::string> events;

const TTypeInfo* TypeInfoWide() {
  static const TTypeInfo type = [] {
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) names.push_back("w" + std::to_string(i));
    return MakeEnumType("TWide", otUByte, names);
  }();
  return &type;
}
const TTypeInfo* TypeInfoWides() {
  static const TTypeInfo& type = *new TTypeInfo(MakeSetType("TWides", TypeInfoWide()));
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
  c.Property<&TFontLike::name, &TFontLike::name>("Name");
  c.Property<&TFontLike::height, &TFontLike::height>("Height");
  c.Property<&TFontLike::style, &TFontLike::style>("Style");
}
TAVRION_CLASS_INFO(TItem, "Tests") {
  c.Property<&TItem::value, &TItem::value>("Value");
}
TAVRION_CLASS_INFO(TControl, "Tests") {
  c.Property<&TControl::color, &TControl::color, TPublishedAlias<std::int32_t, TypeInfoColor>>(
      "Color");
  c.Property<&TControl::left, &TControl::left>("Left");
  c.Property<&TControl::letter, &TControl::letter>("Letter");
  c.Property<&TControl::align, &TControl::align>("Align");
  c.Property<&TControl::wides, &TControl::wides,
             TPublishedAlias<TSet<std::uint8_t>, TypeInfoWides>>("Wides");
  c.Property<&TControl::ratio, &TControl::ratio>("Ratio");
  c.Property<&TControl::caption, &TControl::caption>("Caption");
  c.Property<&TControl::buddy, &TControl::buddy>("Buddy");
  c.Property<&TControl::GetFont, &TControl::SetFont>("Font");
  c.Property<&TControl::GetItems, &TControl::SetItems>("Items");
  c.Property<&TControl::big, &TControl::big>("Big");
  c.Property<&TControl::extra, &TControl::extra>("Extra");
  c.Property<&TControl::ReadOnly, nullptr>("ReadOnly");
  c.Property<&TControl::on_change, &TControl::on_change>("OnChange");
}
TAVRION_CLASS_INFO(TTestForm, "Tests") {
  c.Field<&TTestForm::Edit1>("Edit1");
  c.Field<&TTestForm::Edit2>("Edit2");
  c.Method<&TTestForm::EditChange>("EditChange");
  c.Method<&TTestForm::EditChanging>("EditChanging");
}

}  // namespace test_classes
