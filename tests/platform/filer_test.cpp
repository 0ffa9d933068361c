#include "platform/core/classes/filer.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "platform/core/classes/published.h"
#include "platform/core/classes/strings.h"

namespace {

using namespace platform;

// An object with a wide caption, a count with a declared default and a
// wide character without one, plus a property filed by code.
class Filed : public TPersistent {
 public:
  std::u16string Caption;
  std::int64_t Count = 4;
  char16_t Mark = 0;
  std::string Extra;

  void GetPublishedProperties(std::vector<TPropInfo>& Props) const override {
    auto* self = const_cast<Filed*>(this);
    TPropInfo c{.Name = "Caption", .Kind = TTypeKind::tkWString};
    c.GetWideStr = [self] { return self->Caption; };
    c.SetWideStr = [self](const std::u16string& V) { self->Caption = V; };
    Props.push_back(c);
    TPropInfo n{.Name = "Count", .Kind = TTypeKind::tkInteger, .Default = 4};
    n.GetOrd = [self] { return self->Count; };
    n.SetOrd = [self](std::int64_t V) { self->Count = V; };
    Props.push_back(n);
    TPropInfo m{.Name = "Mark", .Kind = TTypeKind::tkWChar};
    m.GetOrd = [self] { return static_cast<std::int64_t>(self->Mark); };
    m.SetOrd = [self](std::int64_t V) { self->Mark = static_cast<char16_t>(V); };
    Props.push_back(m);
  }
  void DefineProperties(TFiler* Filer) override {
    Filer->DefineProperty(
        "Extra", [this](TReader& R) { Extra = R.ReadString(); }, [this](TWriter& W) { W.WriteString(Extra); },
        !Extra.empty());
  }
};

TEST(Filer, PublishedAndDefinedPropertiesRoundTrip) {
  Filed a;
  a.Caption = u"\u03A9 caption";
  a.Count = 70000;
  a.Mark = u'\u20AC';
  a.Extra = "more";
  TMemoryStream s;
  TWriter(s).WriteProperties(&a);
  s.SetPosition(0);
  Filed b;
  TReader(s).ReadProperties(&b);
  EXPECT_EQ(b.Caption, a.Caption);
  EXPECT_EQ(b.Count, 70000);
  EXPECT_EQ(b.Mark, u'\u20AC');
  EXPECT_EQ(b.Extra, "more");
  EXPECT_EQ(s.Position(), s.Size());
}

TEST(Filer, DefaultsAndEmptyValuesAreNotWritten) {
  Filed a;  // count at its default, empty caption and extra; mark has no default
  TMemoryStream s;
  TWriter(s).WriteProperties(&a);
  s.SetPosition(0);
  TReader r(s);
  EXPECT_EQ(r.ReadStr(), "Mark");
  EXPECT_EQ(r.ReadWideString(), std::u16string(1, u'\0'));
  EXPECT_TRUE(r.EndOfList());
}

TEST(Filer, UnknownPropertiesAndBadValuesAreReadErrors) {
  TMemoryStream s;
  TWriter w(s);
  w.WritePropName("Nothing");
  w.WriteInteger(1);
  w.WriteListEnd();
  s.SetPosition(0);
  Filed f;
  EXPECT_THROW(TReader(s).ReadProperties(&f), EReadError);

  TMemoryStream bad;
  TWriter wb(bad);
  wb.WritePropName("Count");
  wb.WriteString("text");
  bad.SetPosition(0);
  EXPECT_THROW(TReader(bad).ReadProperty(&f), EReadError);

  // A wide string claiming more units than the stream holds.
  TMemoryStream truncated;
  const std::uint8_t bytes[] = {vaWString, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0};
  truncated.WriteBuffer(bytes, sizeof bytes);
  truncated.SetPosition(0);
  EXPECT_THROW(TReader(truncated).ReadWideString(), EReadError);
}

TMemoryStream StreamOf(std::initializer_list<std::uint8_t> Bytes) {
  TMemoryStream s;
  for (const std::uint8_t b : Bytes) s.WriteBuffer(&b, 1);
  s.SetPosition(0);
  return s;
}

// A length is believed only as far as the stream holds its bytes: a few
// bytes announcing gigabytes are a read error, not an allocation of them.
TEST(Filer, AnnouncedLengthsAreCheckedBeforeAnythingIsAllocated) {
  for (const std::uint8_t kind : {vaLString, vaUTF8String}) {
    TMemoryStream s = StreamOf({kind, 0xF0, 0xFF, 0xFF, 0xFF, 'a', 'b'});
    EXPECT_THROW(TReader(s).ReadString(), EReadError) << int{kind};
  }
  TMemoryStream shortString = StreamOf({vaString, 200, 'a'});
  EXPECT_THROW(TReader(shortString).ReadString(), EReadError);
  TMemoryStream shortName = StreamOf({200, 'N'});
  EXPECT_THROW(TReader(shortName).ReadStr(), EReadError);
  TMemoryStream binary = StreamOf({vaBinary, 0xF0, 0xFF, 0xFF, 0xFF, 1, 2});
  EXPECT_THROW(TReader(binary).SkipValue(), EReadError);

  // The way a filed string list takes: its "Strings" list holding a string
  // that announces 4 GiB.
  TMemoryStream filed =
      StreamOf({7, 'S', 't', 'r', 'i', 'n', 'g', 's', vaList, vaLString, 0xF0, 0xFF, 0xFF, 0xFF, 'x', 0});
  TStringList list;
  EXPECT_THROW(TReader(filed).ReadProperties(&list), EReadError);
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(Filer, SkippedListsNestOnlySoDeep) {
  const auto nested = [](int Depth) {
    TMemoryStream s;
    const std::uint8_t list = vaList;
    const std::uint8_t end = vaNull;
    for (int i = 0; i < Depth; ++i) s.WriteBuffer(&list, 1);
    for (int i = 0; i < Depth; ++i) s.WriteBuffer(&end, 1);
    s.SetPosition(0);
    return s;
  };
  TMemoryStream usual = nested(8);
  TReader(usual).SkipValue();
  EXPECT_EQ(usual.Position(), usual.Size());
  TMemoryStream endless = nested(100000);
  EXPECT_THROW(TReader(endless).SkipValue(), EReadError);
}

// A persistent with a set, a named enumeration and a nested object that
// files a property of its own in code.
class Nested : public TPersistent {
 public:
  std::int64_t Flags = 1;
  std::int64_t Mode = 0;
  Filed Part;

  void GetPublishedProperties(std::vector<TPropInfo>& Props) const override {
    auto* self = const_cast<Nested*>(this);
    Props.push_back(SetProperty(
        "Flags", {"fA", "fB", "fC"}, [self] { return self->Flags; }, [self](std::int64_t V) { self->Flags = V; }, 1));
    Props.push_back(EnumProperty(
        "Mode", {"mOff", "mOn"}, [self] { return self->Mode; }, [self](std::int64_t V) { self->Mode = V; }, 0));
    Props.push_back(ClassProperty("Part", [self]() -> TPersistent* { return &self->Part; }));
  }
};

TEST(Filer, SetsNamesAndTheObjectsOfClassPropertiesTravelByName) {
  Nested a;
  a.Flags = 0b110;
  a.Mode = 1;
  a.Part.Count = 9;
  a.Part.Extra = "inner";
  TMemoryStream s;
  TWriter(s).WriteProperties(&a);
  s.SetPosition(0);
  std::vector<std::string> names;
  {
    TReader r(s);
    while (!r.EndOfList()) {
      names.push_back(r.ReadStr());
      r.SkipValue();
    }
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Flags", "Mode", "Part.Count", "Part.Mark", "Part.Extra"}));
  s.SetPosition(0);
  Nested b;
  TReader(s).ReadProperties(&b);
  EXPECT_EQ(b.Flags, 0b110);
  EXPECT_EQ(b.Mode, 1);
  EXPECT_EQ(b.Part.Count, 9);
  EXPECT_EQ(b.Part.Extra, "inner");

  // Names the object does not know are read errors.
  for (const auto& [name, element] : {std::pair{"Flags", "fZ"}, std::pair{"Mode", "mMaybe"}}) {
    TMemoryStream bad;
    TWriter w(bad);
    w.WritePropName(name);
    if (std::string(name) == "Flags") {
      w.WriteValue(vaSet);
      w.WriteStr(element);
      w.WriteStr("");
    } else {
      w.WriteIdent(element);
    }
    w.WriteListEnd();
    bad.SetPosition(0);
    Nested c;
    EXPECT_THROW(TReader(bad).ReadProperties(&c), EReadError) << name;
  }
  TMemoryStream missing;
  TWriter w(missing);
  w.WritePropName("Part.Nothing");
  w.WriteInteger(1);
  w.WriteListEnd();
  missing.SetPosition(0);
  Nested d;
  EXPECT_THROW(TReader(missing).ReadProperties(&d), EReadError);
}

}  // namespace
