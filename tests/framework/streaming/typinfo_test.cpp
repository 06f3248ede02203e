// Published properties found by name and read and written through their
// records, for every kind and accessor.
#include <gtest/gtest.h>

#include "framework/streaming/component.h"
#include "tests/support/class_infos.h"

namespace {

TAVRION_SCOPED_ENUM(TShade, std::uint8_t, shLight, shDark, shDim)
TAVRION_SET(TShades, TShade)

const TTypeInfo* TypeInfoShort8() {
  static const TTypeInfo& type = *new TTypeInfo([] {
    TTypeInfo t;
    t.Kind = tkString;
    t.Name = "String8";
    t.MaxLength = 8;
    return t;
  }());
  return &type;
}

class TSample : public TComponent {
  TAVRION_CLASS(TSample, TComponent)

 public:
  using TComponent::TComponent;
  std::int8_t tiny = 0;
  std::uint8_t byte = 0;
  std::int16_t small = 0;
  std::uint16_t word = 0;
  TShade shade = TShade::shLight;
  TShades shades;
  bool flag = false;
  std::string short_text;
  std::u16string wide;
  double ratio = 0;
  float single = 0;
  Currency money;
  std::int64_t big = 0;
  TNotifyEvent handler;
  Variant extra;
  TComponent* link = nullptr;
  std::int32_t indexed[3] = {};

  std::int32_t Indexed(std::int32_t i) const { return indexed[i]; }
  void SetIndexed(std::int32_t i, std::int32_t v) { indexed[i] = v; }
  void Handle(TObject*) {}
};

TAVRION_CLASS_INFO(TSample, "Tests") {
  c.Property<&TSample::tiny, &TSample::tiny>("Tiny");
  c.Property<&TSample::byte, &TSample::byte>("Byte");
  c.Property<&TSample::small, &TSample::small>("Small");
  c.Property<&TSample::word, &TSample::word>("Word");
  c.Property<&TSample::shade, &TSample::shade>("Shade");
  c.Property<&TSample::shades, &TSample::shades>("Shades");
  c.Property<&TSample::flag, &TSample::flag>("Flag");
  c.Property<&TSample::short_text, &TSample::short_text,
             TPublishedAlias<std::string, TypeInfoShort8>>("ShortText");
  c.Property<&TSample::wide, &TSample::wide>("Wide");
  c.Property<&TSample::ratio, &TSample::ratio>("Ratio");
  c.Property<&TSample::single, &TSample::single>("Single");
  c.Property<&TSample::money, &TSample::money>("Money");
  c.Property<&TSample::big, &TSample::big>("Big");
  c.Property<&TSample::handler, &TSample::handler>("OnHandle");
  c.Property<&TSample::extra, &TSample::extra>("Extra");
  c.Property<&TSample::link, &TSample::link>("Link");
  c.Property<&TSample::Indexed, &TSample::SetIndexed>("Second").Index(1);
  c.Method<&TSample::Handle>("Handle");
}

// A descendant that redeclares Tag and adds one property.
class TDerived : public TSample {
  TAVRION_CLASS(TDerived, TSample)

 public:
  using TSample::TSample;
  std::int32_t extra_tag = 0;
  std::int32_t added = 0;
};

TAVRION_CLASS_INFO(TDerived, "Tests") {
  c.Property<&TDerived::extra_tag, &TDerived::extra_tag>("Tag");
  c.Property<&TDerived::added, &TDerived::added>("Added");
}

TEST(ClassInformation, EveryDeclaredClassBuilds) {
  ExpectEveryClassInfoBuilds();
}

class Properties : public testing::Test {
 protected:
  ~Properties() override { sample->Free(); }
  const TPropInfo* Prop(const char* name) {
    const TPropInfo* prop = GetPropInfo(sample->ClassType(), name);
    EXPECT_NE(prop, nullptr) << name;
    return prop;
  }
  TDerived* sample = Construct<TDerived>(nullptr);
};

TEST_F(Properties, FoundByNameInAnyLetterCaseThroughAncestors) {
  EXPECT_EQ(Prop("RATIO")->Name, "Ratio");
  EXPECT_EQ(Prop("name")->Name, "Name");  // TComponent's
  EXPECT_EQ(GetPropInfo(sample->ClassType(), "Ratios"), nullptr);
  EXPECT_EQ(GetPropInfo(sample->ClassType(), ""), nullptr);
  // Only bit 0x20 is folded: '@' (0x40) matches '`' (0x60).
  EXPECT_EQ(GetPropInfo(sample->ClassType(), "@dded"), nullptr);
  EXPECT_TRUE(SamePublishedName("@", "`"));
  EXPECT_FALSE(SameText("@", "`"));
}

TEST_F(Properties, ARedeclaredPropertyIsTheDescendantsOwn) {
  EXPECT_EQ(Prop("Tag"), &TDerived::StaticClass().Props[0]);
}

TEST_F(Properties, OrdinalsFollowTheWidthAndSignOfTheirType) {
  const struct {
    const char* name;
    std::intptr_t written, read;
  } cases[] = {
      {"Tiny", -1, -1},           {"Tiny", 0x1FF, -1}, {"Byte", -1, 255}, {"Byte", 0x1FE, 254},
      {"Small", 0x18000, -32768}, {"Word", -1, 65535}, {"Shade", 2, 2},   {"Flag", 1, 1},
      {"Shades", 5, 5},           {"Second", -7, -7},
  };
  for (const auto& c : cases) {
    SetOrdProp(sample, Prop(c.name), c.written);
    EXPECT_EQ(GetOrdProp(sample, Prop(c.name)), c.read) << c.name;
  }
  EXPECT_EQ(sample->indexed[1], -7);
  EXPECT_TRUE(sample->shades.Contains(TShade::shDim));
}

TEST_F(Properties, StringsFloatsAndTheRest) {
  SetStrProp(sample, Prop("ShortText"), "0123456789");
  EXPECT_EQ(sample->short_text, "01234567");
  SetStrProp(sample, Prop("Wide"), "\xCF\xF3\xEB\xFC\xF1");  // "Пульс" in code page 1251
  EXPECT_EQ(sample->wide, u"Пульс");

  SetFloatProp(sample, Prop("Money"), 1.5L);
  EXPECT_EQ(sample->money.scaled, 15000);
  SetFloatProp(sample, Prop("Single"), 0.1L);
  EXPECT_EQ(sample->single, 0.1f);
  SetFloatProp(sample, Prop("Ratio"), 2.25L);
  EXPECT_EQ(sample->ratio, 2.25);

  SetInt64Prop(sample, Prop("Big"), INT64_MIN);
  EXPECT_EQ(sample->big, INT64_MIN);
  const TMethod method = MethodOf<&TSample::Handle>(sample).Method();
  SetMethodProp(sample, Prop("OnHandle"), method);
  EXPECT_EQ(sample->handler.Method(), method);
  SetVariantProp(sample, Prop("Extra"), Variant::String("v"));
  EXPECT_EQ(sample->extra, Variant::String("v"));

  SetOrdProp(sample, Prop("Link"), reinterpret_cast<std::intptr_t>(static_cast<TObject*>(sample)));
  EXPECT_EQ(sample->link, sample);
  EXPECT_EQ(GetObjectProp(sample, Prop("Link")), sample);
}

TEST(EnumNames, LookUpFoldsCaseAndIntegersReadAsNumbers) {
  EXPECT_EQ(GetEnumValue(TypeInfoFor<TShade>(), "SHDIM"), 2);
  EXPECT_EQ(GetEnumValue(TypeInfoFor<TShade>(), "shNone"), -1);
  EXPECT_EQ(GetEnumValue(TypeInfoBoolean(), "true"), 1);
  EXPECT_EQ(GetEnumValue(TypeInfoInteger(), "42"), 42);
}

}  // namespace
