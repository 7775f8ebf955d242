// The JSON picture of the object tree.
#include "app/tree_dump.h"

#include <gtest/gtest.h>

#include "scene/game_object.h"

namespace {

class Labelled : public CGameObject {
 public:
  int GetTypeId() override { return TypeId::kTextSprite; }
  std::string text = "Caf\xE9 \x93quoted\x94 \"x\"\n";
};

void FillLabelled(CGameObject* o, TreeDumpFields& f) {
  if (auto* l = dynamic_cast<Labelled*>(o)) {
    f.hasText = true;
    f.text = l->text;
    f.hasRect = true;
    f.left = 1;
    f.top = 2;
    f.right = 30.5f;
    f.bottom = 40;
    f.hasOpacity = true;
    f.opacity = 0.5f;
    f.texture = "GUI\\Button.png";
  }
}
TreeDumpRegistration g_registration(&FillLabelled);

}  // namespace

TEST(TreeDump, ListsEveryObjectWithRegisteredFields) {
  DestroyAllObjects();
  auto* root = new CGameObject();
  auto* label = new Labelled();
  label->Attach(root, 0);
  label->SetDepth(2.5f);
  label->SetId(1204);
  std::string json = DumpTreeJson();
  EXPECT_NE(json.find("{\"index\": 0, \"class\": \"CGameObject\", \"typeId\": 15, \"flags\": 0, \"id\": 0, "
                      "\"parent\": -1, \"depth\": null, \"hidden\": false}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"class\": \"(anonymous namespace)::Labelled\", \"typeId\": 58"), std::string::npos)
      << json;
  EXPECT_NE(
      json.find("\"id\": 1204, \"parent\": 0, \"depth\": 2.5, \"rect\": [1, 2, 30.5, 40], \"opacity\": 0.5"),
      std::string::npos)
      << json;
  EXPECT_NE(json.find("\"texture\": \"GUI\\\\Button.png\""), std::string::npos) << json;
  // Windows-1252 text arrives as UTF-8 with JSON escapes.
  EXPECT_NE(json.find("\"text\": \"Caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \\\"x\\\"\\n\""),
            std::string::npos)
      << json;
  DestroyAllObjects();
}

TEST(TreeDump, Windows1252Conversion) {
  EXPECT_EQ(Windows1252ToUtf8("A\x80\x81\xFF"), "A\xE2\x82\xAC\xEF\xBF\xBD\xC3\xBF");
}
