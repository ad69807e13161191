#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "Shader/Material.h"
#include "Shader/Shader.h"
#include "Support/DiagnosticCapture.h"

TEST(ShaderValue, EmptyAndTypedValues) {
  const ShaderValue empty;
  EXPECT_EQ(empty.Type(), 205u);
  EXPECT_EQ(empty.Size(), 0u);
  EXPECT_STREQ(empty.Name().Text(), "UnattachedValue");

  const uint32_t seven = 7;
  const ShaderValue integer(4, &seven, ShaderValue::kInteger, "Count");
  uint32_t i = 1;
  double real = 1.0;
  EXPECT_TRUE(integer.AsInt(i));
  EXPECT_EQ(i, 7u);
  EXPECT_FALSE(integer.AsReal(real));
  EXPECT_EQ(real, 0.0);

  HvString text("untouched");
  const ShaderValue string = ShaderValue::MakeString(HvString("BRDF"));
  EXPECT_STREQ(string.Name().Text(), "InvalidName");
  EXPECT_EQ(string.Size(), 5u);
  EXPECT_FALSE(integer.AsString(text));
  EXPECT_STREQ(text.Text(), "");
  EXPECT_TRUE(string.AsString(text));
  EXPECT_STREQ(text.Text(), "BRDF");
  ByteString bytes;
  EXPECT_TRUE(ShaderValue::MakeByteString(ByteString("c:\\a.tga")).AsByteString(bytes));
  EXPECT_STREQ(bytes.Text(), "c:\\a.tga");
  uint32_t handle = 0;
  const ShaderValue image = ShaderValue::MakeImage(42);
  EXPECT_STREQ(image.Name().Text(), "ShaderImage");
  EXPECT_TRUE(image.AsImage(handle));
  EXPECT_EQ(handle, 42u);
  const ShaderValue copy = image;
  EXPECT_TRUE(copy.AsImage(handle));
}

TEST(ShaderValue, LinksAcceptBothLinkTypes) {
  Shader shader("s");
  ShaderNode* node = shader.CreateNode();
  const ShaderValue link = ShaderValue::MakeLink(node, "OutColor");
  ShaderNode* target = nullptr;
  HvString channel;
  ASSERT_TRUE(link.AsLink(target, &channel));
  EXPECT_EQ(target, node);
  EXPECT_STREQ(channel.Text(), "OutColor");
  const ShaderValue alternate(link.Size(), link.Data(), ShaderValue::kLinkAlternate, "l");
  EXPECT_TRUE(alternate.AsLink(target));
  EXPECT_FALSE(ShaderValue::MakeImage(1).AsLink(target));
  EXPECT_EQ(target, nullptr);
}

TEST(ShaderValue, PackedColours) {
  const ShaderValue value = ShaderValue::MakeColorPacked(0x80FF0000u);
  double r, g, b, a;
  ASSERT_TRUE(value.AsColor(r, g, b, a));
  EXPECT_DOUBLE_EQ(r, 1.0);
  EXPECT_DOUBLE_EQ(g, 0.0);
  EXPECT_DOUBLE_EQ(b, 0.0);
  EXPECT_FLOAT_EQ(static_cast<float>(a), 128.0f / 255.0f);
  EXPECT_EQ(PackColor(1.2, -0.1, 0.5, 1.0), 0xFFFF007Fu);
  uint32_t packed = 0;
  EXPECT_TRUE(value.AsColorPacked(packed));
  EXPECT_EQ(packed, 0x80FF0000u);
  EXPECT_FALSE(ShaderValue().AsColor(r, g, b, a));
  EXPECT_EQ(r, 0.0);
}

TEST(ShaderNode, SetReplacesSetAtAppendsAndIdsCount) {
  Shader shader("s");
  ShaderNode* node = shader.CreateNode();
  const uint32_t next = ShaderNode::PeekNextId();
  EXPECT_EQ(node->Id() + 1, next);
  EXPECT_GE(node->Id(), 234912u);
  node->SetString("A", "x");
  node->SetString("A", "y");
  EXPECT_EQ(node->Count(), 1);
  HvString out;
  EXPECT_TRUE(node->GetString("A", out));
  EXPECT_STREQ(out.Text(), "y");
  node->SetAt(-1, "B", ShaderValue());
  node->SetAt(node->Count() + 7, "C", ShaderValue());
  EXPECT_EQ(node->Count(), 3);
  EXPECT_TRUE(node->KeyAt(2, out));
  EXPECT_STREQ(out.Text(), "C");
  EXPECT_FALSE(node->KeyAt(3, out));
  EXPECT_STREQ(out.Text(), "");
  EXPECT_EQ(node->ValueAt(-1), nullptr);
  EXPECT_FALSE(node->GetString("missing", out));
  node->SetColorPacked("Color", 0xFF00FF00u);
  uint32_t packed = 0;
  ASSERT_NE(node->Value("Color"), nullptr);
  EXPECT_TRUE(node->Value("Color")->AsColorPacked(packed));
  EXPECT_EQ(packed, 0xFF00FF00u);
}

TEST(Shader, RootNodeAndImageFedSurface) {
  Shader shader("Surface");
  ShaderNode* root = shader.Root();
  ASSERT_EQ(root->Count(), 2);
  HvString key, value;
  root->KeyAt(0, key);
  EXPECT_STREQ(key.Text(), "Magic");
  root->GetString("Magic", value);
  EXPECT_STREQ(value.Text(), "RootNode");
  root->KeyAt(1, key);
  EXPECT_STREQ(key.Text(), "BaseType");
  root->GetString("BaseType", value);
  EXPECT_STREQ(value.Text(), "BRDF");
  EXPECT_EQ(root->Owner(), &shader);

  ShaderNode* image = shader.CreateNode();
  image->SetString("BaseType", "Image");
  image->SetString("FileName", "wood.tga");
  root->SetLink("DiffuseColor", image, "OutColor");
  EXPECT_EQ(shader.NodeCount(), 2);
  EXPECT_EQ(shader.NodeAt(1), image);
  ShaderNode* linked = nullptr;
  ASSERT_TRUE(root->Value("DiffuseColor")->AsLink(linked));
  EXPECT_EQ(linked, image);
}

TEST(ShaderNode, OrphanReportsWhenDestroyed) {
  DiagnosticCapture diagnostics;
  { ShaderNode orphan; }
  ASSERT_EQ(diagnostics.Reports().size(), 1u);
  EXPECT_EQ(diagnostics.Reports()[0], "ShaderNode never had a parent!\n");
  { Shader owned("s"); }
  EXPECT_EQ(diagnostics.Reports().size(), 1u);
}

TEST(Material, DefaultsColoursAndMapNames) {
  Material material;
  EXPECT_STREQ(material.Name().Text(), "Unknown");
  EXPECT_EQ(material.GetColor("SpecularColor"), 0x4040C0u);
  EXPECT_EQ(material.GetColor("DiffuseColor"), 0x404040u);
  EXPECT_EQ(material.GetColor("Opacity"), 0xFFFFFFu);
  EXPECT_EQ(material.GetColor("Bump"), 0u);
  EXPECT_EQ(material.SpecularExponent(), 64.0);
  EXPECT_EQ(material.PackedWord(), 0xFFu);
  EXPECT_TRUE(material.SetColor("Ambient", 0x123456u));
  EXPECT_EQ(material.GetColor("Ambient"), 0x123456u);
  EXPECT_FALSE(material.SetColor("Bump", 1));

  EXPECT_TRUE(material.SetMapFileName("Ambient", "amb.tga"));
  EXPECT_STREQ(material.GetMapFileName("AmbientColor"), "amb.tga");
  EXPECT_STREQ(material.GetMapFileName("Ambient"), "amb.tga");
  EXPECT_TRUE(material.SetMapFileName("Displacement", "d.tga"));
  EXPECT_STREQ(material.GetMapFileName("Displacement"), "d.tga");
  EXPECT_FALSE(material.SetMapFileName("Glow", "g.tga"));
  EXPECT_STREQ(material.GetMapFileName("Glow"), "");
  EXPECT_EQ(material.GetMap("DiffuseColor"), nullptr);
}

namespace {

std::string g_loaded;

bool FakeLoader(const char* path, HvImage& image) {
  g_loaded += std::string(path) + ";";
  return std::string(path).find("missing") == std::string::npos &&
         image.SetFormat(1, 1, 100);
}

}  // namespace

TEST(Material, LoadMapImagesTriesTheBaseDirectoryWhenTheFileDoesNotOpen) {
  Material material;
  material.LoadMapImages();  // nothing named, nothing loaded
  material.SetMapFileName("DiffuseColor", "wood.tga");
  material.SetMapFileName("Bump", "missing.tga");
  material.SetMapFileName("Reflect", "not-indexed.tga");
  material.SetBaseDirectory("textures");
  material.LoadMapImages();
  EXPECT_EQ(material.GetMap("DiffuseColor"), nullptr);  // no loader installed yet
  Material::SetImageLoader(&FakeLoader);
  material.LoadMapImages();
  Material::SetImageLoader(nullptr);
  // Indexed channel order: AmbientColor, SpecularColor, DiffuseColor, Bump, Opacity.
  EXPECT_EQ(g_loaded, "textures/wood.tga;textures/missing.tga;");
  EXPECT_NE(material.GetMap("DiffuseColor"), nullptr);
  EXPECT_EQ(material.GetMap("Bump"), nullptr);
  EXPECT_EQ(material.GetMap("Reflect"), nullptr);
  material.SetMapFileName("DiffuseColor", "other.tga");
  EXPECT_EQ(material.GetMap("DiffuseColor"), nullptr);  // a new name drops the image
}
