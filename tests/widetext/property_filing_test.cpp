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
  std::string caption = "8-bit";
  std::u16string hint;
  char16_t mark = u'*';

  void GetPublishedProperties(std::vector<platform::TPropInfo>& props) const override {
    auto* self = const_cast<Labelled*>(this);
    platform::TPropInfo c{.Name = "Caption", .Kind = platform::TTypeKind::tkLString};
    c.GetStr = [self] { return self->caption; };
    c.SetStr = [self](const std::string& v) { self->caption = v; };
    props.push_back(c);
    platform::TPropInfo h{.Name = "Hint", .Kind = platform::TTypeKind::tkWString};
    h.GetWideStr = [self] { return self->hint; };
    h.SetWideStr = [self](const std::u16string& v) { self->hint = v; };
    props.push_back(h);
    platform::TPropInfo m{.Name = "Mark", .Kind = platform::TTypeKind::tkWChar, .Default = u'*'};
    m.GetOrd = [self] { return static_cast<std::int64_t>(self->mark); };
    m.SetOrd = [self](std::int64_t v) { self->mark = static_cast<char16_t>(v); };
    props.push_back(m);
  }
  void DefineProperties(platform::TFiler* filer) override { DefineWideProperties(filer, this); }
};

void ReadInto(Labelled& target, const std::function<void(platform::TWriter&)>& write) {
  platform::TMemoryStream stream;
  {
    platform::TWriter writer(stream);
    write(writer);
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  platform::TReader(stream).ReadProperties(&target);
}

std::int64_t DefinedSize(Labelled& source, platform::TPersistent* ancestor) {
  platform::TMemoryStream stream;
  platform::TWriter writer(stream);
  writer.Ancestor = ancestor;
  source.DefineProperties(&writer);
  return stream.Size();
}

TEST(PropertyFiling, WideStringCompanionsAreReadAndDropped) {
  Labelled target;
  ReadInto(target, [](platform::TWriter& w) {
    w.WritePropName("Caption");
    w.WriteString("plain");
    w.WritePropName("HintW");
    w.WriteString("\xC3\xA9t\xC3\xA9");
    w.WritePropName("Hint_UTF7");
    w.WriteString("+AOk-t+AOk-");
  });
  EXPECT_EQ(target.caption, "plain");
  EXPECT_EQ(target.hint, u"");
}

TEST(PropertyFiling, WideCharacterCompanionsSetTheCharacter) {
  Labelled target;
  ReadInto(target, [](platform::TWriter& w) {
    w.WritePropName("MarkW");
    w.WriteString("\xE9");
  });
  EXPECT_EQ(target.mark, u'\u00E9');
  ReadInto(target, [](platform::TWriter& w) {
    w.WritePropName("MarkW");
    w.WriteWideString(u"\u4E2D");
  });
  EXPECT_EQ(target.mark, u'\u4E2D');
  ReadInto(target, [](platform::TWriter& w) {
    w.WritePropName("Mark_UTF7");
    w.WriteString("+IKw-");
  });
  EXPECT_EQ(target.mark, u'\u20AC');
  ReadInto(target, [](platform::TWriter& w) {
    w.WritePropName("MarkW");
    w.WriteString("");
  });
  EXPECT_EQ(target.mark, 0);

  for (const auto& bad : std::vector<std::function<void(platform::TWriter&)>>{
           [](platform::TWriter& w) { w.WriteWideString(u"ab"); }, [](platform::TWriter& w) { w.WriteInteger(65); }}) {
    try {
      ReadInto(target, [&](platform::TWriter& w) {
        w.WritePropName("MarkW");
        bad(w);
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
  source.mark = u'\u03A9';
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
  ancestor.mark = u'\u03A9';
  EXPECT_EQ(DefinedSize(source, &ancestor), 0);
  ancestor.mark = u'*';
  EXPECT_GT(DefinedSize(source, &ancestor), 0);
}

class Helper : public TWideComponentHelper {
 public:
  Helper(platform::TComponent* component, platform::TComponentList* list) : TWideComponentHelper(component, list) {}
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
