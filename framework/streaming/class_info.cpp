#include "framework/streaming/class_info.h"

#include <algorithm>
#include <climits>

#include "framework/rtl/invariant.h"

namespace {

// Class information that does not match its C++ members is a mistake in our
// declarations. It is refused in every build, once per class when its
// information is built: the reader would otherwise write values of one width
// into fields of another.
// The caller's place comes from the builtins rather than std::source_location,
// which the fuzzing build's clang cannot compile with our C++ library.
[[noreturn]] void Refuse(const char* check, const std::string& what,
                         const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
  invariant::Broken(check, what.c_str(), file, line);
}

std::size_t OrdinalSize(TOrdType type) {
  switch (type) {
    case otSByte:
    case otUByte:
      return 1;
    case otSWord:
    case otUWord:
      return 2;
    default:
      return 4;
  }
}

}  // namespace

void class_info::CheckOrdinalWidth(const std::string& owner, const TPropInfo& prop,
                                   std::size_t size) {
  const TTypeKind kind = prop.PropType()->Kind;
  const bool ordinal = kind == tkInteger || kind == tkChar || kind == tkEnumeration;
  if (ordinal && size != OrdinalSize(prop.PropType()->OrdType)) {
    Refuse("the width of the type", "class information of " + owner + ": property " + prop.Name +
                                        " is " + std::to_string(size) + " bytes wide, its type " +
                                        prop.PropType()->Name + " " +
                                        std::to_string(OrdinalSize(prop.PropType()->OrdType)));
  }
}

void class_info::CheckForm(const std::string& owner, const TPropInfo& prop, Form form) {
  Form expected = Form::kOrdinal;
  switch (prop.PropType()->Kind) {
    case tkString:
    case tkLString:
      expected = Form::kString;
      break;
    case tkWString:
      expected = Form::kWide;
      break;
    case tkFloat:
      expected = prop.PropType()->FloatType == ftCurr   ? Form::kCurrency
                 : prop.PropType()->FloatType == ftComp ? Form::kOrdinal
                                                        : Form::kFloat;
      break;
    case tkMethod:
      expected = Form::kMethod;
      break;
    case tkVariant:
      expected = Form::kVariant;
      break;
    default:
      break;
  }
  if (form != expected) {
    Refuse("the form of the type", "class information of " + owner + ": property " + prop.Name +
                                       " does not hold a " + prop.PropType()->Name);
  }
}

void class_info::CheckSignature(const std::string& owner, const TPropInfo& prop,
                                TSignature signature) {
  if (prop.PropType()->Signature != signature) {
    Refuse("the signature of the type", "class information of " + owner + ": event " + prop.Name +
                                            " is not of the signature of " + prop.PropType()->Name);
  }
}

void class_info::CheckMessage(const std::string& owner, const std::vector<TMessageEntry>& table,
                              std::uint32_t msg) {
  for (const TMessageEntry& entry : table) {
    if (entry.Msg == msg) {
      Refuse("one handler a message", "class information of " + owner + ": message " +
                                          std::to_string(msg) + " handled twice");
    }
  }
}

namespace {

std::vector<TClassRef>& Listed() {
  static auto& listed = *new std::vector<TClassRef>;
  return listed;
}

}  // namespace

bool ListClassInfo(TClassRef cls) {
  Listed().push_back(cls);
  return true;
}

const std::vector<TClassRef>& ListedClassInfos() {
  return Listed();
}

std::vector<std::string> published_type::SplitNames(std::string_view list) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    std::string_view name = list.substr(start, comma - start);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    // A trailing comma leaves no name.
    if (!name.empty() || comma < list.size()) names.emplace_back(name);
    start = comma + 1;
  }
  return names;
}

const TClassInfo& FinishClassInfo(TClassInfo info) {
  // Class information lives as long as the process.
  auto* finished = new TClassInfo(std::move(info));
  finished->TypeInfo.Kind = tkClass;
  finished->TypeInfo.Name = finished->ClassName;
  finished->TypeInfo.ClassType = finished;
  std::int16_t count = finished->Parent != nullptr ? finished->Parent->PropCount : 0;
  for (TPropInfo& prop : finished->Props) {
    const TPropInfo* inherited =
        finished->Parent != nullptr ? GetPropInfo(finished->Parent, prop.Name) : nullptr;
    prop.NameIndex = inherited != nullptr ? inherited->NameIndex : count++;
  }
  finished->PropCount = count;
  return *finished;
}

TTypeInfo MakeEnumType(std::string name, TOrdType ord_type, std::vector<std::string> names) {
  TTypeInfo type;
  type.Kind = tkEnumeration;
  type.Name = std::move(name);
  type.OrdType = ord_type;
  type.MinValue = 0;
  type.MaxValue = static_cast<std::int32_t>(names.size()) - 1;
  type.NameList = std::move(names);
  return type;
}

TTypeInfo MakeSetType(std::string name, const TTypeInfo* element) {
  TTypeInfo type;
  type.Kind = tkSet;
  type.Name = std::move(name);
  const std::int32_t elements = element->MaxValue + 1;
  type.OrdType = elements <= 8 ? otUByte : elements <= 16 ? otUWord : otULong;
  type.CompType = element;
  return type;
}

TTypeInfo MakeIntegerType(std::string name, TOrdType ord_type, std::int32_t min, std::int32_t max) {
  TTypeInfo type;
  type.Kind = tkInteger;
  type.Name = std::move(name);
  type.OrdType = ord_type;
  type.MinValue = min;
  type.MaxValue = max;
  return type;
}

TTypeInfo MakeStringType(std::string name) {
  TTypeInfo type;
  type.Kind = tkLString;
  type.Name = std::move(name);
  return type;
}

namespace {

TTypeInfo Simple(TTypeKind kind, std::string name) {
  TTypeInfo type;
  type.Kind = kind;
  type.Name = std::move(name);
  return type;
}

TTypeInfo Float(std::string name, TFloatType float_type) {
  TTypeInfo type = Simple(tkFloat, std::move(name));
  type.FloatType = float_type;
  return type;
}

}  // namespace

#define TAVRION_BUILTIN_TYPE(Function, ...)                     \
  const TTypeInfo* Function() {                                 \
    static const TTypeInfo& type = *new TTypeInfo(__VA_ARGS__); \
    return &type;                                               \
  }

TAVRION_BUILTIN_TYPE(TypeInfoInteger, MakeIntegerType("Integer", otSLong, INT_MIN, INT_MAX))
TAVRION_BUILTIN_TYPE(TypeInfoCardinal, MakeIntegerType("Cardinal", otULong, 0, -1))
TAVRION_BUILTIN_TYPE(TypeInfoSmallInt, MakeIntegerType("SmallInt", otSWord, -32768, 32767))
TAVRION_BUILTIN_TYPE(TypeInfoWord, MakeIntegerType("Word", otUWord, 0, 65535))
TAVRION_BUILTIN_TYPE(TypeInfoShortInt, MakeIntegerType("ShortInt", otSByte, -128, 127))
TAVRION_BUILTIN_TYPE(TypeInfoByte, MakeIntegerType("Byte", otUByte, 0, 255))
TAVRION_BUILTIN_TYPE(TypeInfoBoolean, MakeEnumType("Boolean", otUByte, {"False", "True"}))
TAVRION_BUILTIN_TYPE(TypeInfoString, Simple(tkLString, "string"))
TAVRION_BUILTIN_TYPE(TypeInfoWideString, Simple(tkWString, "WideString"))
TAVRION_BUILTIN_TYPE(TypeInfoSingle, Float("Single", ftSingle))
TAVRION_BUILTIN_TYPE(TypeInfoDouble, Float("Double", ftDouble))
TAVRION_BUILTIN_TYPE(TypeInfoExtended, Float("Extended", ftExtended))
TAVRION_BUILTIN_TYPE(TypeInfoComp, Float("Comp", ftComp))
TAVRION_BUILTIN_TYPE(TypeInfoCurrency, Float("Currency", ftCurr))
TAVRION_BUILTIN_TYPE(TypeInfoInt64, Simple(tkInt64, "Int64"))
TAVRION_BUILTIN_TYPE(TypeInfoVariant, Simple(tkVariant, "Variant"))

const TTypeInfo* TypeInfoChar() {
  static const TTypeInfo& type = *new TTypeInfo([] {
    TTypeInfo t = MakeIntegerType("Char", otUByte, 0, 255);
    t.Kind = tkChar;
    return t;
  }());
  return &type;
}

#undef TAVRION_BUILTIN_TYPE
