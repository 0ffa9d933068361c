#pragma once
// Filing of persistent objects: a TWriter writes an object's published
// properties and the properties it defines in code as tagged values to a
// stream, a TReader reads them back. The format is the class library's:
// a property is its name (one length byte and the name) and a value that
// starts with its value type; a list of values ends with vaNull.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/classes/component.h"
#include "platform/core/classes/persistent.h"
#include "platform/core/classes/streams.h"

namespace platform {

enum TValueType : std::uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
  vaUTF8String = 20,
};

class TReader;
class TWriter;
using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;

class TFiler : public TObject {
 public:
  explicit TFiler(TStream& Stream) : stream_(Stream) {}
  // A property filed by code: the writer writes it when HasData, the reader
  // reads it when the stream holds it.
  virtual void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                              bool HasData) = 0;
  TStream& Stream() { return stream_; }

  // The form whose published methods the events are named by; null: the
  // owner of the component being filed (the component itself when it has
  // none).
  TComponent* Root = nullptr;
  // The object the one being written is compared with; null for none.
  TPersistent* Ancestor = nullptr;

 private:
  TStream& stream_;
};

class TReader : public TFiler {
 public:
  using TFiler::TFiler;
  void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;

  TValueType ReadValue();
  TValueType NextValue();
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  // Any 8-bit or wide string value; wide text is narrowed to code page 1252.
  std::string ReadString();
  // Any string value; 8-bit text is widened from code page 1252.
  std::u16string ReadWideString();
  std::int64_t ReadInteger();
  bool ReadBoolean();
  std::string ReadIdent();
  // A property name.
  std::string ReadStr();
  // A binary value's bytes.
  std::vector<std::uint8_t> ReadBinary();
  void SkipValue();

  // Properties up to the end of the list, then the list end. A property
  // neither published nor defined raises EReadError. A name with dots
  // ("Font.Color") reaches into the objects of class properties.
  void ReadProperties(TPersistent* Instance);
  void ReadProperty(TPersistent* Instance);
  // The name of the property being read.
  const std::string& PropName() const { return propName_; }

 private:
  // The property Path names, on Instance or an object of its class
  // properties; true when it was read.
  bool ReadPropertyPath(TPersistent* Instance, std::string_view Path);
  void ReadPropertyValue(const TPropInfo& Prop);
  // An event: nil, or the name of a method of the lookup root that fits it.
  void ReadMethodValue(const TPropInfo& Prop);
  void Bytes(void* Buffer, std::int64_t Count);
  template <class T>
  T Scalar();
  [[noreturn]] void Invalid();
  // A length a value announces is checked against the bytes left before
  // anything is allocated for it.
  void CheckAnnounced(std::uint64_t Count);
  void SkipNested(int Lists);

  std::string propName_;
  TComponent* lookupRoot_ = nullptr;
  // The last part of the name being read, which DefineProperty answers to.
  std::string definedName_;
  bool handled_ = false;
};

class TWriter : public TFiler {
 public:
  using TFiler::TFiler;
  void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;

  void WriteValue(TValueType Value);
  void WriteListBegin();
  void WriteListEnd();
  void WriteString(std::string_view Value);
  void WriteWideString(std::u16string_view Value);
  void WriteInteger(std::int64_t Value);
  void WriteBoolean(bool Value);
  void WriteIdent(std::string_view Ident);
  void WriteStr(std::string_view Value);
  void WriteBinary(const void* Buffer, std::uint32_t Count);
  // Within the object of a class property, the name goes after the path
  // that leads there ("Font.").
  void WritePropName(std::string_view Name);

  // The published properties that differ from their default (or from the
  // ancestor's), then the defined ones, then the list end.
  void WriteProperties(TPersistent* Instance);

 private:
  // The published and the defined properties of Instance, compared with
  // InstanceAncestor (null: with their defaults).
  void WritePropertiesOf(TPersistent* Instance, TPersistent* InstanceAncestor);
  // A stored property that can be read and set, by its kind; left out
  // while it holds the ancestor's value or, without one, its default (for
  // strings: empty).
  void WriteProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp);
  // Integers, enumerations (by name when they have one) and characters.
  void WriteOrdProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp);
  // The names of the elements present.
  void WriteSetProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp);
  // The object's own properties, named after the path that leads to them.
  void WriteClassProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp);
  void WriteStrProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp);
  void WriteWideStrProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp);
  // An event as the name of the lookup root's method it is bound to; one
  // bound to anything else cannot be named and is left out.
  void WriteMethodProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp);
  void Bytes(const void* Buffer, std::int64_t Count);
  std::string propPath_;
  TComponent* lookupRoot_ = nullptr;
};

}  // namespace platform
