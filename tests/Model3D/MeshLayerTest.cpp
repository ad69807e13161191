#include <gtest/gtest.h>

#include "Model3D/MeshBuilders.h"

namespace {

void FillLayer(PolygonDesc& desc, const VertexLayerList& layers, int layer, uint8_t base) {
  uint8_t* channel = desc.Channel(layer, &layers);
  ASSERT_NE(channel, nullptr);
  for (int i = 0; i < desc.count * layers.Size(layer); ++i)
    channel[i] = static_cast<uint8_t>(base + i);
}

}  // namespace

TEST(MeshLayers, LayerBytesTravelInsideEachCornerRecord) {
  VertexLayerList layers;
  ASSERT_TRUE(layers.Add(4));
  ASSERT_TRUE(layers.Add(2, false));
  ASSERT_TRUE(layers.Add(3));
  EXPECT_EQ(layers.Offset(2), 6);
  PolygonDesc desc;
  Describe(desc, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  desc.Resize(3, &layers);
  EXPECT_EQ(desc.LayerBytes(), 27u);
  // Layers follow one another: layer 2 starts after 3 corners of 4 + 2 bytes.
  EXPECT_EQ(desc.Channel(2, &layers) - desc.Channel(0, &layers), 18);
  FillLayer(desc, layers, 0, 10);
  FillLayer(desc, layers, 1, 100);
  FillLayer(desc, layers, 2, 200);

  HvMesh mesh;
  ASSERT_TRUE(mesh.AddPolygon(desc, &layers));
  EXPECT_EQ(mesh.ExtraBytesPerCorner(), 9);
  PolygonDesc out;
  ASSERT_TRUE(mesh.GetPolygonFull(0, out, &layers));
  const uint8_t* first = out.Channel(0, &layers);
  const uint8_t* third = out.Channel(2, &layers);
  EXPECT_EQ(first[4], 14);  // corner 1, byte 0 of layer 0
  EXPECT_EQ(third[8], 208);
  EXPECT_EQ(out.Channel(1, &layers)[0], 0);  // disabled: not copied
  PolygonData data;
  ASSERT_TRUE(mesh.GetPolygon(0, data, &layers));
  EXPECT_EQ(data.LayerCount(), 3);
  EXPECT_EQ(data.Channel(2, &layers)[5], 205);
}

TEST(MeshLayers, ListsBeyondTheMeshExtraBytesAreClipped) {
  HvMesh mesh;
  ASSERT_TRUE(AddCorners(mesh, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}));  // no list: 0 extra bytes
  VertexLayerList layers;
  layers.Add(16);
  PolygonDesc desc;
  Describe(desc, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  desc.Resize(3, &layers);
  FillLayer(desc, layers, 0, 1);
  ASSERT_TRUE(mesh.AddPolygon(desc, &layers));
  PolygonData data;
  ASSERT_TRUE(mesh.GetPolygon(1, data, &layers));
  EXPECT_EQ(data.Channel(0, &layers)[0], 0);  // nothing was stored past the record
  EXPECT_FALSE(layers.Add(VertexLayerList::kMaxTotalSize));
  EXPECT_FALSE(layers.Add(-1));
}
