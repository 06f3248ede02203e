// Builds form-definition bytes for tests, one value at a time.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/streaming/filer.h"
#include "framework/streaming/streams.h"

class FormBytes {
 public:
  std::vector<unsigned char> bytes;

  FormBytes& Signature() { return Raw("TPF0"); }
  FormBytes& Byte(unsigned char b) {
    bytes.push_back(b);
    return *this;
  }
  FormBytes& Raw(const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    return *this;
  }
  template <typename T>
  FormBytes& LittleEndian(T value) {
    unsigned char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof raw);
    bytes.insert(bytes.end(), raw, raw + sizeof raw);
    return *this;
  }
  // A short string without a tag: names, property names, set elements.
  FormBytes& Str(const std::string& text) {
    Byte(static_cast<unsigned char>(text.size()));
    return Raw(text);
  }
  // An integer under the smallest tag that holds it.
  FormBytes& Int(std::int32_t v) {
    if (v >= -128 && v <= 127) return Byte(vaInt8).Byte(static_cast<unsigned char>(v));
    if (v >= -32768 && v <= 32767) return Byte(vaInt16).LittleEndian(static_cast<std::int16_t>(v));
    return Byte(vaInt32).LittleEndian(v);
  }
  FormBytes& String(const std::string& text) { return Byte(vaString).Str(text); }
  FormBytes& LString(const std::string& text) {
    Byte(vaLString).LittleEndian(static_cast<std::int32_t>(text.size()));
    return Raw(text);
  }
  FormBytes& Ident(const std::string& name) { return Byte(vaIdent).Str(name); }
  FormBytes& Set(std::initializer_list<std::string> names) {
    Byte(vaSet);
    for (const std::string& n : names) Str(n);
    return Byte(0);
  }
  FormBytes& Binary(const std::string& data) {
    Byte(vaBinary).LittleEndian(static_cast<std::int32_t>(data.size()));
    return Raw(data);
  }
  FormBytes& Extended(long double v) {
    const Extended80 e = LongDoubleToExtended80(v);
    Byte(vaExtended);
    bytes.insert(bytes.end(), e.bytes, e.bytes + 10);
    return *this;
  }
  FormBytes& Single(float v) { return Byte(vaSingle).LittleEndian(v); }
  FormBytes& End() { return Byte(0); }
  // A property record's name; the value follows.
  FormBytes& Prop(const std::string& name) { return Str(name); }
  FormBytes& Component(const std::string& cls, const std::string& name) {
    return Str(cls).Str(name);
  }

  TMemoryStream Stream() const { return TMemoryStream(bytes); }
};
