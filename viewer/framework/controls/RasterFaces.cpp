#include "RasterFaces.h"

#include <cassert>

namespace {

struct RasterFace {
  const char* family;
  std::span<const TRasterSize> sizes;
  const char* standIn;
};

// MS Sans Serif at 8, 10, 12, 14, 18 and 24 points.
constexpr TRasterSize kSansSerif[] = {{13, 11}, {16, 13}, {20, 16}, {24, 19}, {29, 24}, {37, 32}};
// Courier at 10, 12 and 15 points; it has no internal leading.
constexpr TRasterSize kCourier[] = {{13, 13}, {16, 16}, {20, 20}};
constexpr TRasterSize kSmallFonts[] = {{11, 9}};
constexpr TRasterSize kSystem[] = {{16, 13}};
constexpr TRasterSize kFixedsys[] = {{15, 12}};

constexpr RasterFace kFaces[] = {
    {"MS Sans Serif", kSansSerif, "Liberation Sans"}, {"Courier", kCourier, "Liberation Mono"},
    {"Small Fonts", kSmallFonts, "Tahoma"},           {"System", kSystem, "Tahoma"},
    {"Fixedsys", kFixedsys, "Liberation Mono"},
};

const RasterFace* FindFace(const QString& family) {
  for (const RasterFace& face : kFaces)
    if (family.compare(QLatin1String(face.family), Qt::CaseInsensitive) == 0) return &face;
  return nullptr;
}

constexpr int kDefaultEm = 11;

}  // namespace

std::span<const TRasterSize> RasterSizesOf(const QString& family) {
  const RasterFace* face = FindFace(family);
  return face ? face->sizes : std::span<const TRasterSize>();
}

QString RasterStandInOf(const QString& family) {
  const RasterFace* face = FindFace(family);
  return face ? QString::fromLatin1(face->standIn) : QString();
}

TRasterSize ChooseRasterSize(std::span<const TRasterSize> sizes, int height) {
  assert(!sizes.empty());
  const bool byCell = height > 0;
  const long long wanted = height == 0 ? kDefaultEm : (byCell ? height : -(long long)height);
  TRasterSize chosen = sizes.front();
  for (const TRasterSize& size : sizes)
    if ((byCell ? size.cell : size.em) <= wanted) chosen = size;
  return chosen;
}
