#include "widetext/property_filing.h"

#include <gtest/gtest.h>

#include "platform/core/classes/filer.h"
#include "platform/core/classes/streams.h"
#include "widetext/component_helper.h"
#include "widetext/exceptions.h"

namespace widetext {
namespace {

// A component with an 8-bit caption, a wide caption and a wide character
// whose declared default is "*".
class Labelled : public platform::TPersistent {
 public:
  std::string Caption = "8-bit";
  std::u16string Hint;
  char16_t Mark = u'*';

  void GetPublishedProperties(std::vector<platform::TPropInfo>& Props) const override {
    auto* self = const_cast<Labelled*>(this);
    platform::TPropInfo c{.Name = "Caption", .Kind = platform::TTypeKind::tkLString};
    c.GetStr = [self] { return self->Caption; };
    c.SetStr = [self](const std::string& V) { self->Caption = V; };
    Props.push_back(c);
    platform::TPropInfo h{.Name = "Hint", .Kind = platform::TTypeKind::tkWString};
    h.GetWideStr = [self] { return self->Hint; };
    h.SetWideStr = [self](const std::u16string& V) { self->Hint = V; };
    Props.push_back(h);
    platform::TPropInfo m{.Name = "Mark", .Kind = platform::TTypeKind::tkWChar, .Default = u'*'};
    m.GetOrd = [self] { return static_cast<std::int64_t>(self->Mark); };
    m.SetOrd = [self](std::int64_t V) { self->Mark = static_cast<char16_t>(V); };
    Props.push_back(m);
  }
  void DefineProperties(platform::TFiler* Filer) override { DefineWideProperties(Filer, this); }
};

void ReadInto(Labelled& Target, const std::function<void(platform::TWriter&)>& Write) {
  platform::TMemoryStream stream;
  {
    platform::TWriter writer(stream);
    Write(writer);
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  platform::TReader(stream).ReadProperties(&Target);
}

std::int64_t DefinedSize(Labelled& Source, platform::TPersistent* Ancestor) {
  platform::TMemoryStream stream;
  platform::TWriter writer(stream);
  writer.Ancestor = Ancestor;
  Source.DefineProperties(&writer);
  return stream.Size();
}

TEST(PropertyFiling, WideStringCompanionsAreReadAndDropped) {
  Labelled target;
  ReadInto(target, [](platform::TWriter& W) {
    W.WritePropName("Caption");
    W.WriteString("plain");
    W.WritePropName("HintW");
    W.WriteString("\xC3\xA9t\xC3\xA9");
    W.WritePropName("Hint_UTF7");
    W.WriteString("+AOk-t+AOk-");
  });
  EXPECT_EQ(target.Caption, "plain");
  EXPECT_EQ(target.Hint, u"");
}

TEST(PropertyFiling, WideCharacterCompanionsSetTheCharacter) {
  Labelled target;
  ReadInto(target, [](platform::TWriter& W) {
    W.WritePropName("MarkW");
    W.WriteString("\xE9");
  });
  EXPECT_EQ(target.Mark, u'\u00E9');
  ReadInto(target, [](platform::TWriter& W) {
    W.WritePropName("MarkW");
    W.WriteWideString(u"\u4E2D");
  });
  EXPECT_EQ(target.Mark, u'\u4E2D');
  ReadInto(target, [](platform::TWriter& W) {
    W.WritePropName("Mark_UTF7");
    W.WriteString("+IKw-");
  });
  EXPECT_EQ(target.Mark, u'\u20AC');
  ReadInto(target, [](platform::TWriter& W) {
    W.WritePropName("MarkW");
    W.WriteString("");
  });
  EXPECT_EQ(target.Mark, 0);

  for (const auto& bad : std::vector<std::function<void(platform::TWriter&)>>{
           [](platform::TWriter& W) { W.WriteWideString(u"ab"); }, [](platform::TWriter& W) { W.WriteInteger(65); }}) {
    try {
      ReadInto(target, [&](platform::TWriter& W) {
        W.WritePropName("MarkW");
        bad(W);
      });
      ADD_FAILURE();
    } catch (const platform::EReadError& e) {
      EXPECT_STREQ(e.what(), "Invalid property value");
    }
  }
}

TEST(PropertyFiling, WideCharacterCompanionIsWrittenOnlyWhenItDiffers) {
  Labelled source;
  EXPECT_EQ(DefinedSize(source, nullptr), 0);  // equal to the declared default
  source.Mark = u'\u03A9';
  platform::TMemoryStream stream;
  {
    platform::TWriter writer(stream);
    source.DefineProperties(&writer);
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  platform::TReader reader(stream);
  EXPECT_EQ(reader.ReadStr(), "MarkW");
  EXPECT_EQ(reader.NextValue(), platform::vaWString);
  EXPECT_EQ(reader.ReadWideString(), u"\u03A9");

  Labelled ancestor;
  ancestor.Mark = u'\u03A9';
  EXPECT_EQ(DefinedSize(source, &ancestor), 0);
  ancestor.Mark = u'*';
  EXPECT_GT(DefinedSize(source, &ancestor), 0);
}

class Helper : public TWideComponentHelper {
 public:
  Helper(platform::TComponent* Component, platform::TComponentList* List) : TWideComponentHelper(Component, List) {}
};

TEST(ComponentHelpers, FoundByComponentAndGoneWithIt) {
  platform::TComponentList helpers;
  std::vector<platform::TComponent*> components;
  for (int i = 0; i < 6; ++i) components.push_back(new platform::TComponent(nullptr));
  // Made in an order unrelated to the addresses.
  for (const int i : {3, 0, 5, 1, 4, 2}) new Helper(components[static_cast<std::size_t>(i)], &helpers);
  ASSERT_EQ(helpers.Count(), 6);
  for (platform::TComponent* component : components) {
    TWideComponentHelper* helper = FindWideComponentHelper(&helpers, component);
    ASSERT_NE(helper, nullptr);
    EXPECT_EQ(helper->Component(), component);
  }
  delete components[2];
  EXPECT_EQ(helpers.Count(), 5);
  platform::TComponent stranger(nullptr);
  EXPECT_EQ(FindWideComponentHelper(&helpers, &stranger), nullptr);
  for (const int i : {0, 1, 3, 4, 5}) {
    EXPECT_EQ(FindWideComponentHelper(&helpers, components[static_cast<std::size_t>(i)])->Component(),
              components[static_cast<std::size_t>(i)]);
    delete components[static_cast<std::size_t>(i)];
  }
  EXPECT_EQ(helpers.Count(), 0);

  try {
    TWideComponentHelper wrong(nullptr);
    ADD_FAILURE();
  } catch (const EWtxInternalError& e) {
    EXPECT_STREQ(e.what(), "WTX Internal Error: TWideComponentHelper.Create should never be encountered.");
  }
}

}  // namespace
}  // namespace widetext
