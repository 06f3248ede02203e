// TReader: reads a form definition. The value layer (tags, typed values,
// skipping, buffering) is in reader_values.cpp; creating and filling the
// components of a definition is in reader_components.cpp.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/rtl/nesting.h"
#include "framework/rtl/variant.h"
#include "framework/streaming/filer.h"
#include "framework/streaming/object.h"

class TPersistent;
class TComponent;
class TCollection;
struct TPropInfo;
struct TTypeInfo;
struct TPropFixup;

class TReader : public TFiler {
 public:
  TReader(TStream* stream, std::int32_t buffer_size);
  // Puts the stream back right after the last byte consumed.
  ~TReader() override;

  void SyncStreamPosition() override;

  // Tags and lists.
  TValueType ReadValue();
  TValueType NextValue();             // peeks
  bool EndOfList();                   // the next byte is 0x00
  void ReadListBegin();               // expects vaList
  void ReadListEnd();                 // expects the 0x00
  void CheckValue(TValueType value);  // ExpectValueTag
  void ReadSignature();               // CheckSignature
  virtual void ReadPrefix(TFilerFlags& flags, std::int32_t& child_position);

  // Typed values.
  std::int32_t ReadInteger();
  std::int64_t ReadInt64();
  long double ReadFloat();
  float ReadSingle();
  Currency ReadCurrency();
  double ReadDate();
  std::string ReadString();
  std::u16string ReadWideString();
  std::string ReadIdent();
  char ReadChar();
  std::string ReadStr();  // a short string with no tag

  // Skipping.
  void SkipValue();
  void SkipProperty();
  void SkipComponent(bool skip_header);
  void SkipSetBody();
  void SkipBytes(std::int64_t count);

  // Raises "Form definition is nested too deeply".
  [[noreturn]] static void RefuseNesting();

  // Raw bytes from the buffer; raises "Stream read error" at the end.
  void Read(void* buffer, std::int32_t count);

  // Loading (reader_components.cpp).
  TComponent* ReadRootComponent(TComponent* root);  // ReadRoot
  void ReadData(TComponent* instance);
  void ReadCollection(TCollection* collection);
  void DefineValueProperty(const std::string& name,
                           const std::function<void(TReader&)>& read) override;
  void DefineBinaryProperty(const std::string& name,
                            const std::function<void(TStream&)>& read) override;

  TComponent* Root() const { return root_; }
  TComponent* LookupRoot() const { return lookup_root_; }
  TComponent* Owner() const { return owner_; }
  TComponent* Parent() const { return parent_; }
  void SetOwner(TComponent* owner) { owner_ = owner; }
  void SetParent(TComponent* parent) { parent_ = parent; }

 protected:
  virtual void SetRoot(TComponent* root) { root_ = root; }
  virtual bool HandleError(const std::exception&) { return false; }
  virtual TComponent* FindAncestor(const std::string& name);
  // The code of the root's published method of that name and signature.
  virtual const void* FindMethodByName(TComponent* root, const std::string& name,
                                       TSignature signature);
  virtual void AssignComponentName(TComponent* component, const std::string& name);
  virtual std::string MapReferenceName(const std::string& name) { return name; }

 private:
  auto Nest() { return NestingGuard(nesting_, kMaxFormNesting, &TReader::RefuseNesting); }

  [[noreturn]] void PropValueError();
  // A little-endian number of sizeof(T) bytes.
  template <typename T>
  T ReadLittleEndian() {
    unsigned char bytes[sizeof(T)];
    Read(bytes, sizeof bytes);
    std::uint64_t bits = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) bits = bits << 8 | bytes[i];
    if constexpr (std::is_integral_v<T>) {
      return static_cast<T>(bits);
    } else {
      using Bits = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;
      const auto narrow = static_cast<Bits>(bits);
      T value;
      std::memcpy(&value, &narrow, sizeof value);
      return value;
    }
  }
  // Reads a counted run in pieces, so a length that a truncated stream
  // cannot back fails with a read error before much memory is taken.
  std::string ReadCounted(std::int64_t count);
  void ReadBuffer();
  unsigned char ReadByte();
  void StepBack() { --buffer_position_; }

  void ReadDataInner(TComponent* instance);
  TComponent* ReadChildComponent(TComponent* component);
  void ReadProperty(TPersistent* instance);
  void ReadPropValue(TPersistent* instance, const TPropInfo* prop);
  void ReadClassValue(TPersistent* instance, const TPropInfo* prop);
  std::int32_t ReadSet(const TTypeInfo* set_type);
  Variant ReadVariant();
  void DoFixupReferences();
  TClass FindComponentClass(const std::string& name);

  TComponent* root_ = nullptr;
  TComponent* lookup_root_ = nullptr;
  TComponent* owner_ = nullptr;
  TComponent* parent_ = nullptr;
  std::vector<TPropFixup*>* fixups_ = nullptr;
  std::vector<TComponent*>* loaded_ = nullptr;
  std::string property_name_;
  bool can_handle_exceptions_ = false;
  int nesting_ = 0;
};
