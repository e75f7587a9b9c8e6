#include "ImgList.h"

#include <algorithm>
#include <cstring>

#include <QBuffer>
#include <QImageReader>

#include "Bitmap.h"
#include "core/FormNode.h"

namespace {
const TEnumInfo& DrawingStyleEnumInfo() {
  static const TEnumInfo e{"TDrawingStyle", {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"}};
  return e;
}
const TEnumInfo& ImageTypeEnumInfo() {
  static const TEnumInfo e{"TImageType", {"itImage", "itMask"}};
  return e;
}
const TEnumInfo& ColorDepthEnumInfo() {
  static const TEnumInfo e{"TColorDepth",
                           {"cdDeviceDependent", "cd4Bit", "cd8Bit", "cd16Bit", "cd24Bit", "cd32Bit"}};
  return e;
}
}  // namespace

const TClassInfo& TCustomImageList::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomImageList>("TCustomImageList", &TComponent::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TImageList::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TImageList>("TImageList", &TCustomImageList::StaticClassInfo())
          .IntegerField("AllocBy", 4)
          .ColorField("BlendColor", clNone)
          .ColorField("BkColor", clNone)
          .EnumField("ColorDepth", ColorDepthEnumInfo(), 0)
          .EnumField("DrawingStyle", DrawingStyleEnumInfo(), 2)
          .IntegerField("GrayscaleFactor", 0)
          .Integer("Height", &TImageList::Height, &TImageList::SetHeight, 16)
          .EnumField("ImageType", ImageTypeEnumInfo(), 0)
          .BoolField("Masked", true)
          .BoolField("Scaled", false)
          .BoolField("ShareImages", false)
          .Integer("Width", &TImageList::Width, &TImageList::SetWidth, 16)
          .Event("OnChange", &TImageList::OnChange)
          .Build();
  return info;
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

void TCustomImageList::SetData(std::string bytes) {
  data_ = std::move(bytes);
  decoded_ = false;
}

void TCustomImageList::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  filer.DefineProperty(
      "Bitmap", [this](const TFormNode& v) { SetData(v.bytes); }, [this] { return TFormNode::Binary(data_); },
      !data_.empty());
}

// The stream holds an image list in the system's own format: "IL" header
// (version, count, allocation, size, background, flags, overlays) followed
// by the image and mask bitmaps, each a bitmap file. Newer designers may
// store a PNG strip instead. What cannot be decoded shows nothing.
void TCustomImageList::Decode() const {
  if (decoded_) return;
  decoded_ = true;
  strip_ = QImage();
  if (data_.size() < 28) return;
  const char* p = data_.data();
  size_t size = data_.size();
  // Find the first bitmap file ("BM") after the header, and the mask after it.
  size_t first = std::string::npos;
  if (std::memcmp(p, "IL", 2) == 0) first = data_.find("BM", 4);
  if (first == std::string::npos) {
    QImage png;
    if (png.loadFromData(reinterpret_cast<const uchar*>(p), int(size))) strip_ = png.convertToFormat(QImage::Format_ARGB32);
    return;
  }
  auto fileSize = [&](size_t at) -> size_t {
    if (at + 6 > size) return 0;
    uint32_t n;
    std::memcpy(&n, p + at + 2, 4);
    return n;
  };
  QImage colors, mask;
  try {
    const size_t n = fileSize(first);
    if (n == 0 || first + n > size) return;
    colors = DecodeBitmapFile(std::string_view(p + first, n));
    const size_t second = first + n;
    if (second + 2 <= size && std::memcmp(p + second, "BM", 2) == 0) {
      const size_t m = fileSize(second);
      if (m && second + m <= size) mask = DecodeBitmapFile(std::string_view(p + second, m));
    }
  } catch (const std::exception&) {
    return;
  }
  QImage out = colors.convertToFormat(QImage::Format_ARGB32);
  if (!mask.isNull() && mask.size() == out.size()) {
    for (int y = 0; y < out.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
      const auto* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
      for (int x = 0; x < out.width(); ++x)
        if (qRed(m[x]) > 127) line[x] = 0;
    }
  }
  strip_ = out;
}

int TCustomImageList::Count() const {
  Decode();
  if (strip_.isNull()) return 0;
  const int perRow = std::max(1, strip_.width() / width_);
  return perRow * (strip_.height() / height_);
}

QImage TCustomImageList::ImageAt(int index) const {
  Decode();
  if (strip_.isNull() || index < 0 || index >= Count()) return {};
  const int perRow = std::max(1, strip_.width() / width_);
  return strip_.copy((index % perRow) * width_, (index / perRow) * height_, width_, height_);
}
