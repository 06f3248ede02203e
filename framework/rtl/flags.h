// A set of the bit flags of one scoped enumeration, a type of its own: a
// control's state flag or-ed into its style, or a component's state into a
// control's, does not compile. The flags keep their bit values, so Bits() is
// the set as it is published.
//
//   enum class TControlStateFlag : std::uint32_t { csLButtonDown = 1u << 0, ... };
//   using enum TControlStateFlag;                        // csLButtonDown unqualified
//   TAVRION_FLAGS(TControlState, TControlStateFlag)
#pragma once

#include <type_traits>

template <typename Flag>
class TFlags {
  static_assert(std::is_enum_v<Flag> && !std::is_convertible_v<Flag, int>,
                "the flags of a set are a scoped enumeration");

 public:
  using Bits = std::underlying_type_t<Flag>;

  constexpr TFlags() = default;
  constexpr TFlags(Flag flag) : bits_(static_cast<Bits>(flag)) {}

  constexpr bool Has(Flag flag) const { return (bits_ & static_cast<Bits>(flag)) != 0; }
  constexpr bool HasAny(TFlags flags) const { return (bits_ & flags.bits_) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr Bits ToBits() const { return bits_; }

  constexpr TFlags& Include(TFlags flags) {
    bits_ = static_cast<Bits>(bits_ | flags.bits_);
    return *this;
  }
  constexpr TFlags& Exclude(TFlags flags) {
    bits_ = static_cast<Bits>(bits_ & ~flags.bits_);
    return *this;
  }
  constexpr TFlags operator|(TFlags other) const { return TFlags(*this).Include(other); }
  friend constexpr bool operator==(TFlags, TFlags) = default;

 private:
  Bits bits_ = 0;
};

// The set type `Set` of the flags `Flag`, and `a | b` of two flags.
#define TAVRION_FLAGS(Set, Flag)            \
  using Set = TFlags<Flag>;                 \
  constexpr Set operator|(Flag a, Flag b) { \
    return Set(a) | b;                      \
  }
