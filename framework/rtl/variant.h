// A value of one of the kinds a variant property can hold.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

enum TVarType : std::uint16_t {
  varEmpty = 0x0000,
  varNull = 0x0001,
  varSmallint = 0x0002,
  varInteger = 0x0003,
  varSingle = 0x0004,
  varDouble = 0x0005,
  varCurrency = 0x0006,
  varDate = 0x0007,
  varOleStr = 0x0008,
  varBoolean = 0x000B,
  varByte = 0x0011,
  varString = 0x0100,
};

class Variant {
 public:
  Variant() = default;  // empty (unassigned)
  static Variant Null() { return Variant(varNull, std::monostate{}); }
  static Variant Byte(std::uint8_t v) { return Variant(varByte, std::int64_t{v}); }
  static Variant Smallint(std::int16_t v) { return Variant(varSmallint, std::int64_t{v}); }
  static Variant Integer(std::int32_t v) { return Variant(varInteger, std::int64_t{v}); }
  static Variant Single(float v) { return Variant(varSingle, double{v}); }
  static Variant Double(double v) { return Variant(varDouble, v); }
  static Variant Date(double v) { return Variant(varDate, v); }
  // Currency: the value times 10000.
  static Variant Currency(std::int64_t scaled) { return Variant(varCurrency, scaled); }
  static Variant String(std::string v) { return Variant(varString, std::move(v)); }
  static Variant WideString(std::u16string v) { return Variant(varOleStr, std::move(v)); }
  static Variant Boolean(bool v) { return Variant(varBoolean, v); }

  TVarType Type() const { return type_; }
  // The integer of an integer, byte, currency (scaled) or boolean variant.
  std::int64_t AsInt64() const;
  double AsDouble() const;
  const std::string& AsString() const { return std::get<std::string>(value_); }
  const std::u16string& AsWideString() const { return std::get<std::u16string>(value_); }
  // True is all bits set, as a boolean variant holds it.
  bool AsBoolean() const { return std::get<bool>(value_); }

  friend bool operator==(const Variant&, const Variant&) = default;

 private:
  using Value =
      std::variant<std::monostate, std::int64_t, double, bool, std::string, std::u16string>;
  Variant(TVarType type, Value value) : type_(type), value_(std::move(value)) {}
  TVarType type_ = varEmpty;
  Value value_;
};

inline std::int64_t Variant::AsInt64() const {
  if (const auto* b = std::get_if<bool>(&value_)) return *b ? -1 : 0;
  return std::get<std::int64_t>(value_);
}

inline double Variant::AsDouble() const {
  if (const auto* d = std::get_if<double>(&value_)) return *d;
  return static_cast<double>(AsInt64());
}
