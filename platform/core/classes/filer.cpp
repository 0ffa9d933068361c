#include "platform/core/classes/filer.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "platform/core/classes/published.h"
#include "platform/core/text/cp1252.h"

namespace platform {
namespace {

// Lists inside a skipped value nest no deeper than this; a stream that nests
// them without end would otherwise run the reader out of stack.
constexpr int kMaxSkippedLists = 64;

const TPropInfo* FindProp(const std::vector<TPropInfo>& Props, const std::string& Name) {
  for (const auto& p : Props) {
    if (SameText(p.Name, Name)) return &p;
  }
  return nullptr;
}

TComponent* LookupRoot(TComponent* Root, TPersistent* Instance) {
  if (Root) return Root;
  auto* component = dynamic_cast<TComponent*>(Instance);
  if (!component) return nullptr;
  return component->Owner() ? component->Owner() : component;
}

// An ordinal or set value that needs no writing: the ancestor's, or
// without an ancestor the declared default.
bool OrdUnchanged(const TPropInfo& Prop, const TPropInfo* AncestorProp, std::int64_t Value) {
  if (AncestorProp && AncestorProp->GetOrd) return Value == AncestorProp->GetOrd();
  return Prop.Default != kNoDefault && Value == Prop.Default;
}

}  // namespace

void TReader::DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
  if (handled_ || !ReadData || !SameText(Name, definedName_)) return;
  handled_ = true;
  ReadData(*this);
}

void TReader::Bytes(void* Buffer, std::int64_t Count) { Stream().ReadBuffer(Buffer, Count); }

template <class T>
T TReader::Scalar() {
  T value{};
  Bytes(&value, sizeof value);
  return value;
}

void TReader::Invalid() { throw EReadError("Invalid property value"); }

void TReader::CheckAnnounced(std::uint64_t Count) {
  const std::int64_t left = Stream().Size() - Stream().Position();
  if (left < 0 || Count > static_cast<std::uint64_t>(left)) Invalid();
}

TValueType TReader::ReadValue() {
  const auto v = Scalar<std::uint8_t>();
  if (v > vaUTF8String) Invalid();
  return static_cast<TValueType>(v);
}

TValueType TReader::NextValue() {
  const TValueType v = ReadValue();
  Stream().Seek(-1, soCurrent);
  return v;
}

bool TReader::EndOfList() { return NextValue() == vaNull; }

void TReader::ReadListBegin() {
  if (ReadValue() != vaList) Invalid();
}

void TReader::ReadListEnd() {
  if (ReadValue() != vaNull) Invalid();
}

std::string TReader::ReadString() {
  const TValueType v = ReadValue();
  switch (v) {
    case vaString:
      return ReadStr();
    case vaLString:
    case vaUTF8String: {
      const auto len = Scalar<std::uint32_t>();
      CheckAnnounced(len);
      std::string s(len, '\0');
      Bytes(s.data(), len);
      return s;
    }
    case vaWString:
      Stream().Seek(-1, soCurrent);
      return Utf16ToCp1252(ReadWideString());
    default:
      Invalid();
  }
}

std::u16string TReader::ReadWideString() {
  if (NextValue() != vaWString) return Cp1252ToUtf16(ReadString());
  ReadValue();
  const auto count = Scalar<std::uint32_t>();
  CheckAnnounced(std::uint64_t{count} * 2);
  std::u16string s(count, u'\0');
  for (auto& unit : s) unit = static_cast<char16_t>(Scalar<std::uint16_t>());
  return s;
}

std::int64_t TReader::ReadInteger() {
  switch (ReadValue()) {
    case vaInt8:
      return Scalar<std::int8_t>();
    case vaInt16:
      return Scalar<std::int16_t>();
    case vaInt32:
      return Scalar<std::int32_t>();
    case vaInt64:
      return Scalar<std::int64_t>();
    default:
      Invalid();
  }
}

bool TReader::ReadBoolean() {
  const TValueType v = ReadValue();
  if (v != vaTrue && v != vaFalse) Invalid();
  return v == vaTrue;
}

std::string TReader::ReadIdent() {
  const TValueType v = ReadValue();
  switch (v) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    case vaNil:
      return "nil";
    case vaNull:
      return "Null";
    default:
      Invalid();
  }
}

std::vector<std::uint8_t> TReader::ReadBinary() {
  if (ReadValue() != vaBinary) Invalid();
  const auto len = Scalar<std::uint32_t>();
  CheckAnnounced(len);
  std::vector<std::uint8_t> bytes(len);
  if (len > 0) Bytes(bytes.data(), len);
  return bytes;
}

std::string TReader::ReadStr() {
  const auto len = Scalar<std::uint8_t>();
  CheckAnnounced(len);
  std::string s(len, '\0');
  Bytes(s.data(), static_cast<std::int64_t>(s.size()));
  return s;
}

void TReader::SkipValue() { SkipNested(0); }

void TReader::SkipNested(int Lists) {
  const TValueType v = NextValue();
  switch (v) {
    case vaList:
      if (Lists >= kMaxSkippedLists) Invalid();
      ReadValue();
      while (!EndOfList()) SkipNested(Lists + 1);
      ReadListEnd();
      return;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      ReadInteger();
      return;
    case vaString:
    case vaLString:
    case vaUTF8String:
      ReadString();
      return;
    case vaWString:
      ReadWideString();
      return;
    case vaIdent:
    case vaFalse:
    case vaTrue:
    case vaNil:
    case vaNull:
      ReadIdent();
      return;
    case vaBinary: {
      ReadValue();
      const auto len = Scalar<std::uint32_t>();
      CheckAnnounced(len);
      Stream().Seek(len, soCurrent);
      return;
    }
    case vaSet:
      ReadValue();
      while (!ReadStr().empty()) {
      }
      return;
    default:
      Invalid();
  }
}

void TReader::ReadProperties(TPersistent* Instance) {
  while (!EndOfList()) ReadProperty(Instance);
  ReadListEnd();
}

void TReader::ReadProperty(TPersistent* Instance) {
  lookupRoot_ = LookupRoot(Root, Instance);
  propName_ = ReadStr();
  if (!ReadPropertyPath(Instance, propName_))
    throw EReadError("Error reading " + ClassNameOf(*Instance) + "." + propName_ + ": Property " + propName_ +
                     " does not exist");
  propName_.clear();
}

bool TReader::ReadPropertyPath(TPersistent* Instance, std::string_view Path) {
  std::vector<TPropInfo> props;
  Instance->GetPublishedProperties(props);
  const std::size_t dot = Path.find('.');
  if (dot != std::string_view::npos) {
    const TPropInfo* p = FindProp(props, std::string(Path.substr(0, dot)));
    TPersistent* inner = p && p->Kind == TTypeKind::tkClass && p->GetObject ? p->GetObject() : nullptr;
    if (!inner && p && p->NewObject) inner = p->NewObject();
    return inner && ReadPropertyPath(inner, Path.substr(dot + 1));
  }
  if (const TPropInfo* p = FindProp(props, std::string(Path)); p && p->HasWrite) {
    ReadPropertyValue(*p);
    return true;
  }
  definedName_ = Path;
  handled_ = false;
  Instance->DefineProperties(this);
  definedName_.clear();
  return handled_;
}

void TReader::ReadPropertyValue(const TPropInfo& Prop) {
  switch (Prop.Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkEnumeration: {
      const TValueType v = NextValue();
      if (v == vaIdent || v == vaFalse || v == vaTrue || v == vaNil || v == vaNull) {
        const std::string ident = ReadIdent();
        const std::optional<std::int64_t> value = Prop.IdentToOrd ? Prop.IdentToOrd(ident) : std::nullopt;
        if (!value) Invalid();
        if (Prop.SetOrd) Prop.SetOrd(*value);
      } else {
        const std::int64_t value = ReadInteger();
        if (Prop.SetOrd) Prop.SetOrd(value);
      }
      return;
    }
    case TTypeKind::tkChar: {
      const std::string s = ReadString();
      if (s.size() > 1) Invalid();
      if (Prop.SetOrd) Prop.SetOrd(s.empty() ? 0 : static_cast<unsigned char>(s[0]));
      return;
    }
    case TTypeKind::tkWChar: {
      const std::u16string s = ReadWideString();
      if (s.size() > 1) Invalid();
      if (Prop.SetOrd) Prop.SetOrd(s.empty() ? 0 : s[0]);
      return;
    }
    case TTypeKind::tkString:
    case TTypeKind::tkLString:
      if (Prop.SetStr) Prop.SetStr(ReadString());
      return;
    case TTypeKind::tkWString:
      if (Prop.SetWideStr) Prop.SetWideStr(ReadWideString());
      return;
    case TTypeKind::tkSet: {
      if (ReadValue() != vaSet) Invalid();
      std::int64_t bits = 0;
      for (std::string name = ReadStr(); !name.empty(); name = ReadStr()) {
        const auto it = std::find_if(Prop.SetElements.begin(), Prop.SetElements.end(),
                                     [&](const std::string& E) { return SameText(E, name); });
        if (it == Prop.SetElements.end()) Invalid();
        bits |= std::int64_t{1} << (it - Prop.SetElements.begin());
      }
      if (Prop.SetOrd) Prop.SetOrd(bits);
      return;
    }
    case TTypeKind::tkMethod:
      ReadMethodValue(Prop);
      return;
    default:
      SkipValue();
      return;
  }
}

void TReader::ReadMethodValue(const TPropInfo& Prop) {
  if (NextValue() == vaNil) {
    ReadValue();
    if (Prop.SetMethod) Prop.SetMethod(TMethod{});
    return;
  }
  if (NextValue() != vaIdent) Invalid();
  const std::string name = ReadIdent();
  const std::optional<TMethodInfo> method = lookupRoot_ ? MethodAddress(*lookupRoot_, name) : std::nullopt;
  if (!method) Invalid();
  if (Prop.SetMethod && !Prop.SetMethod(TMethod{method->Code, lookupRoot_, method->Signature})) Invalid();
}

void TWriter::DefineProperty(const std::string& Name, const TReaderProc&, const TWriterProc& WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  WriteData(*this);
}

void TWriter::Bytes(const void* Buffer, std::int64_t Count) { Stream().WriteBuffer(Buffer, Count); }

void TWriter::WriteValue(TValueType Value) {
  const auto b = static_cast<std::uint8_t>(Value);
  Bytes(&b, 1);
}

void TWriter::WriteListBegin() { WriteValue(vaList); }

void TWriter::WriteListEnd() { WriteValue(vaNull); }

void TWriter::WriteString(std::string_view Value) {
  if (Value.size() <= 255) {
    WriteValue(vaString);
    const auto len = static_cast<std::uint8_t>(Value.size());
    Bytes(&len, 1);
  } else {
    WriteValue(vaLString);
    const auto len = static_cast<std::uint32_t>(Value.size());
    Bytes(&len, 4);
  }
  Bytes(Value.data(), static_cast<std::int64_t>(Value.size()));
}

void TWriter::WriteWideString(std::u16string_view Value) {
  WriteValue(vaWString);
  const auto count = static_cast<std::uint32_t>(Value.size());
  Bytes(&count, 4);
  for (char16_t unit : Value) {
    const auto u = static_cast<std::uint16_t>(unit);
    Bytes(&u, 2);
  }
}

void TWriter::WriteInteger(std::int64_t Value) {
  if (Value >= std::numeric_limits<std::int8_t>::min() && Value <= std::numeric_limits<std::int8_t>::max()) {
    WriteValue(vaInt8);
    const auto v = static_cast<std::int8_t>(Value);
    Bytes(&v, 1);
  } else if (Value >= std::numeric_limits<std::int16_t>::min() && Value <= std::numeric_limits<std::int16_t>::max()) {
    WriteValue(vaInt16);
    const auto v = static_cast<std::int16_t>(Value);
    Bytes(&v, 2);
  } else if (Value >= std::numeric_limits<std::int32_t>::min() && Value <= std::numeric_limits<std::int32_t>::max()) {
    WriteValue(vaInt32);
    const auto v = static_cast<std::int32_t>(Value);
    Bytes(&v, 4);
  } else {
    WriteValue(vaInt64);
    Bytes(&Value, 8);
  }
}

void TWriter::WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }

void TWriter::WriteIdent(std::string_view Ident) {
  if (SameText(Ident, "False")) return WriteValue(vaFalse);
  if (SameText(Ident, "True")) return WriteValue(vaTrue);
  if (SameText(Ident, "nil")) return WriteValue(vaNil);
  if (SameText(Ident, "Null")) return WriteValue(vaNull);
  WriteValue(vaIdent);
  WriteStr(Ident);
}

void TWriter::WriteStr(std::string_view Value) {
  const auto len = static_cast<std::uint8_t>(std::min<std::size_t>(Value.size(), 255));
  Bytes(&len, 1);
  Bytes(Value.data(), len);
}

void TWriter::WritePropName(std::string_view Name) { WriteStr(propPath_ + std::string(Name)); }

void TWriter::WriteBinary(const void* Buffer, std::uint32_t Count) {
  WriteValue(vaBinary);
  Bytes(&Count, 4);
  if (Count > 0) Bytes(Buffer, Count);
}

void TWriter::WriteProperties(TPersistent* Instance) {
  lookupRoot_ = LookupRoot(Root, Instance);
  WritePropertiesOf(Instance, Ancestor);
  WriteListEnd();
}

void TWriter::WritePropertiesOf(TPersistent* Instance, TPersistent* InstanceAncestor) {
  std::vector<TPropInfo> props, ancestorProps;
  Instance->GetPublishedProperties(props);
  if (InstanceAncestor) InstanceAncestor->GetPublishedProperties(ancestorProps);
  for (const TPropInfo& p : props) {
    WriteProperty(p, InstanceAncestor ? FindProp(ancestorProps, p.Name) : nullptr);
  }
  // What the object defines itself compares with its own ancestor.
  TPersistent* const outer = std::exchange(Ancestor, InstanceAncestor);
  try {
    Instance->DefineProperties(this);
  } catch (...) {
    Ancestor = outer;
    throw;
  }
  Ancestor = outer;
}

void TWriter::WriteProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp) {
  if (!Prop.HasRead || !Prop.HasWrite) return;
  if (Prop.IsStored && !Prop.IsStored()) return;
  switch (Prop.Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkEnumeration:
    case TTypeKind::tkChar:
    case TTypeKind::tkWChar:
      WriteOrdProperty(Prop, AncestorProp);
      return;
    case TTypeKind::tkSet:
      WriteSetProperty(Prop, AncestorProp);
      return;
    case TTypeKind::tkClass:
      WriteClassProperty(Prop, AncestorProp);
      return;
    case TTypeKind::tkString:
    case TTypeKind::tkLString:
      WriteStrProperty(Prop, AncestorProp);
      return;
    case TTypeKind::tkWString:
      WriteWideStrProperty(Prop, AncestorProp);
      return;
    case TTypeKind::tkMethod:
      WriteMethodProperty(Prop, AncestorProp);
      return;
    default:
      return;
  }
}

void TWriter::WriteOrdProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp) {
  if (!Prop.GetOrd) return;
  const std::int64_t value = Prop.GetOrd();
  if (OrdUnchanged(Prop, AncestorProp, value)) return;
  WritePropName(Prop.Name);
  const std::string ident = Prop.OrdToIdent ? Prop.OrdToIdent(value) : std::string();
  if (Prop.Kind == TTypeKind::tkChar) {
    WriteString(std::string(1, static_cast<char>(value)));
  } else if (Prop.Kind == TTypeKind::tkWChar) {
    WriteWideString(std::u16string(1, static_cast<char16_t>(value)));
  } else if (!ident.empty()) {
    WriteIdent(ident);
  } else {
    WriteInteger(value);
  }
}

void TWriter::WriteSetProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp) {
  if (!Prop.GetOrd) return;
  const std::int64_t value = Prop.GetOrd();
  if (OrdUnchanged(Prop, AncestorProp, value)) return;
  WritePropName(Prop.Name);
  WriteValue(vaSet);
  for (std::size_t i = 0; i < Prop.SetElements.size() && i < 63; ++i) {
    if (value & (std::int64_t{1} << i)) WriteStr(Prop.SetElements[i]);
  }
  WriteStr("");
}

void TWriter::WriteClassProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp) {
  TPersistent* object = Prop.GetObject ? Prop.GetObject() : nullptr;
  if (!object) return;
  TPersistent* ancestor = AncestorProp && AncestorProp->GetObject ? AncestorProp->GetObject() : nullptr;
  const std::string outer = propPath_;
  propPath_ += Prop.Name + ".";
  try {
    WritePropertiesOf(object, ancestor);
  } catch (...) {
    propPath_ = outer;
    throw;
  }
  propPath_ = outer;
}

void TWriter::WriteStrProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp) {
  if (!Prop.GetStr) return;
  const std::string value = Prop.GetStr();
  if (AncestorProp && AncestorProp->GetStr ? value == AncestorProp->GetStr() : value.empty()) return;
  WritePropName(Prop.Name);
  WriteString(value);
}

void TWriter::WriteWideStrProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp) {
  if (!Prop.GetWideStr) return;
  const std::u16string value = Prop.GetWideStr();
  if (AncestorProp && AncestorProp->GetWideStr ? value == AncestorProp->GetWideStr() : value.empty()) return;
  WritePropName(Prop.Name);
  WriteWideString(value);
}

void TWriter::WriteMethodProperty(const TPropInfo& Prop, const TPropInfo* AncestorProp) {
  if (!Prop.GetMethod) return;
  const TMethod method = Prop.GetMethod();
  const TMethod ancestor = AncestorProp && AncestorProp->GetMethod ? AncestorProp->GetMethod() : TMethod{};
  if (method.Code == ancestor.Code) return;
  std::string name;
  if (method.Code) {
    // Read back, the name binds to the root's method: a handler of any
    // other object would come back running on the wrong one.
    if (!lookupRoot_ || method.Data != lookupRoot_) return;
    name = MethodName(*lookupRoot_, method.Code);
    if (name.empty()) return;
  }
  WritePropName(Prop.Name);
  if (name.empty()) {
    WriteValue(vaNil);
  } else {
    WriteIdent(name);
  }
}

}  // namespace platform
