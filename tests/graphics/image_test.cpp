// Tests of the pending image and its colormap: the checks made before anything is recorded,
// the default map, and the gray and jet maps.
#include <cmath>

#include "korvex.h"
#include "plot_fixture.h"

using namespace korvex;
using namespace korvex_test;

TEST_F(PlotDir, ImageChecksItsIndicesAndDefaultsTheMap) {
  const M<double> c = by_rows(2, 2, {1, 2, 256, 256.5});
  image(c);
  EXPECT_EQ(image_pending, 1);
  EXPECT_TRUE(Is(image_data, 2, 2, {1, 2, 256, 256.5}));
  EXPECT_EQ(image_map.rows(), 64) << "jet(64) when no map was set";
  colormap(gray(M<double>(3)));
  image(c);
  EXPECT_TRUE(Is(colormap(), 3, 3, {0, 0, 0, 0.5, 0.5, 0.5, 1, 1, 1})) << "a set map is kept";
  image_pending = 0;
  for (double bad : {0.999, 257.0, std::nan("")})
    EXPECT_ERROR(image(row({1, bad}, "c")), "image: index out of range 1..256 in c");
  EXPECT_ERROR(image(M<double>(0, 0, 0)), "image: ? is not a real matrix");
  EXPECT_ERROR(colormap(by_rows(1, 2, {0, 1}, "m")), "colormap: m does not have 3 columns");
  EXPECT_ERROR(colormap(by_rows(1, 3, {0, 1.5, 0}, "m")), "colormap: m has intensities outside 0..1");
  EXPECT_ERROR(colormap(zeros(M<double>(257), M<double>(3))),
               "colormap: ? has more than 256 colours");
}

// jet runs dark blue, blue, cyan, yellow, red, dark red; worked out at t = 0, 1/4, ..., 1.
TEST(Colormaps, JetAndGrayRamps) {
  EXPECT_TRUE(
      Is(jet(M<double>(5)), 5, 3, {0, 0, 0.5, 0, 0.5, 1, 0.5, 1, 0.5, 1, 0.5, 0, 0.5, 0, 0}));
  EXPECT_TRUE(Is(jet(M<double>(1)), 1, 3, {0.5, 1, 0.5}));
  EXPECT_TRUE(Is(gray(M<double>(1)), 1, 3, {0, 0, 0}));
  EXPECT_ERROR(gray(M<double>(2.5)),
               "gray: the number of colours must be a whole number from 1 to 256");
  EXPECT_ERROR(jet(row({2, 3})), "jet: the number of colours must be a scalar");
}
