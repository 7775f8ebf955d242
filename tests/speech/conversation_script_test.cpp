// Reading conversation files into entries.
#include "ui/conversation_script.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using speech::EntryKind;

speech::ConversationScript Parse(const std::string& xml, bool expectOk = true) {
  speech::ConversationScript s;
  EXPECT_EQ(speech::ParseConversationScript(xml.data(), xml.size(), s), expectOk) << xml;
  return s;
}

TEST(ConversationScript, EntriesAreTheRootsChildElementsInOrder) {
  const auto s = Parse(R"(<?xml version="1.0"?>
<Conversation Character="3">
  <!-- Odrell opens -->
  <Odrell Text="Curio_First_1"/>
  loose text is not a line
  <jorvane Text="Curio_First_2"><Nested Text="ignored"/></jorvane>
  <Image Name="Shop.jpg" AspectRatio="0.75" Angle="-0.05"/>
  <IMAGE Name="Plain.jpg"/>
  <Odrell/>
</Conversation>)");
  EXPECT_EQ(s.character, 3);
  struct Want {
    EntryKind kind;
    const char* speaker;
    const char* text;
    float aspect, angle;
  };
  const Want want[] = {
      {EntryKind::kCorner, "Odrell", "Curio_First_1", 1, 0},
      {EntryKind::kLead, "jorvane", "Curio_First_2", 1, 0},
      {EntryKind::kPicture, "Image", "Shop.jpg", 0.75f, -0.05f},
      {EntryKind::kPicture, "IMAGE", "Plain.jpg", 1, 0},
      {EntryKind::kCorner, "Odrell", "", 1, 0},
  };
  ASSERT_EQ(s.entries.size(), std::size(want));
  for (size_t i = 0; i < std::size(want); ++i) {
    EXPECT_EQ(s.entries[i].kind, want[i].kind) << i;
    EXPECT_EQ(s.entries[i].speaker, want[i].speaker) << i;
    EXPECT_EQ(s.entries[i].text, want[i].text) << i;
    EXPECT_FLOAT_EQ(s.entries[i].aspect, want[i].aspect) << i;
    EXPECT_FLOAT_EQ(s.entries[i].angle, want[i].angle) << i;
  }
}

TEST(ConversationScript, CharacterAndPictureNumbersAreChecked) {
  struct Case {
    const char* xml;
    int character;
    float aspect, angle;
  };
  const Case cases[] = {
      {R"(<C><Image AspectRatio="1.5"/></C>)", -1, 1.5f, 0},
      {R"(<C Character="0"><Image AspectRatio="0" Angle="7"/></C>)", 0, 1, 0},
      {R"(<C Character="5"><Image AspectRatio="-2" Angle="nan"/></C>)", 5, 1, 0},
      {R"(<C Character="6"><Image AspectRatio="1e30" Angle="-1"/></C>)", -1, 20, -1},
      {R"(<C Character="-3"><Image AspectRatio="0.001"/></C>)", -1, 0.05f, 0},
      {R"(<C Character="two"><Image AspectRatio="inf"/></C>)", -1, 1, 0},
  };
  for (const Case& c : cases) {
    const auto s = Parse(c.xml);
    EXPECT_EQ(s.character, c.character) << c.xml;
    ASSERT_EQ(s.entries.size(), 1u) << c.xml;
    EXPECT_FLOAT_EQ(s.entries[0].aspect, c.aspect) << c.xml;
    EXPECT_FLOAT_EQ(s.entries[0].angle, c.angle) << c.xml;
  }
}

TEST(ConversationScript, BrokenFilesGiveNothing) {
  for (const char* xml : {"", "<Conversation Character=\"1\">", "not xml", "<!-- only a comment -->"}) {
    const auto s = Parse(xml, false);
    EXPECT_EQ(s.character, -1) << xml;
    EXPECT_TRUE(s.entries.empty()) << xml;
  }
  EXPECT_TRUE(Parse("<Conversation/>").entries.empty());
  EXPECT_EQ(speech::ConversationMemberName("HQ_Intro"), "GUI\\Characters\\HQ_Intro.xml");
}

}  // namespace
