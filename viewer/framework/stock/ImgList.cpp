#include "ImgList.h"

#include <algorithm>
#include <cstring>

#include <QBuffer>
#include <QImageReader>

#include "controls/Bitmap.h"
#include "controls/ContentReport.h"
#include "controls/ImageDecoding.h"
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
  static const TEnumInfo e{"TColorDepth", {"cdDeviceDependent", "cd4Bit", "cd8Bit", "cd16Bit", "cd24Bit", "cd32Bit"}};
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
          .EnumField("ColorDepth", ColorDepthEnumInfo(), "cdDeviceDependent")
          .EnumField("DrawingStyle", DrawingStyleEnumInfo(), "dsNormal")
          .IntegerField("GrayscaleFactor", 0)
          .Integer("Height", &TImageList::Height, &TImageList::SetHeight, 16)
          .EnumField("ImageType", ImageTypeEnumInfo(), "itImage")
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

namespace {

uint16_t ReadU16(const std::string& b, size_t at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }
uint32_t ReadU32(const std::string& b, size_t at) {
  return uint32_t(ReadU16(b, at)) | uint32_t(ReadU16(b, at + 2)) << 16;
}

}  // namespace

size_t BitmapFileLength(const std::string& bytes, size_t at) {
  // File header (14) and at least the core header's size field.
  if (at > bytes.size() || bytes.size() - at < 18 || bytes.compare(at, 2, "BM") != 0) return 0;
  const size_t info = at + 14;
  const uint32_t headerSize = ReadU32(bytes, info);
  if (headerSize < 12 || headerSize > 1024 || bytes.size() - info < headerSize) return 0;
  int64_t width, height;
  uint32_t bpp, compression = 0, colorsUsed = 0, imageSize = 0;
  size_t entrySize = 4;
  if (headerSize == 12) {  // core header: 16-bit sizes, 3-byte palette entries
    width = ReadU16(bytes, info + 4);
    height = ReadU16(bytes, info + 6);
    bpp = ReadU16(bytes, info + 10);
    entrySize = 3;
  } else {
    if (headerSize < 16) return 0;
    width = int32_t(ReadU32(bytes, info + 4));
    height = int32_t(ReadU32(bytes, info + 8));
    bpp = ReadU16(bytes, info + 14);
    if (headerSize >= 20) compression = ReadU32(bytes, info + 16);
    if (headerSize >= 24) imageSize = ReadU32(bytes, info + 20);
    if (headerSize >= 36) colorsUsed = ReadU32(bytes, info + 32);
  }
  if (width <= 0 || width > 65535 || height == 0 || height < -65535 || height > 65535) return 0;
  size_t palette = 0;
  if (bpp <= 8)
    palette = (colorsUsed && colorsUsed < (1u << bpp) ? colorsUsed : (1u << bpp)) * entrySize;
  else if (compression == 3 && headerSize == 40)
    palette = 12;  // the three bit-field masks
  else if (colorsUsed && colorsUsed <= 256)
    palette = size_t(colorsUsed) * entrySize;
  size_t bits;
  if (compression == 0 || compression == 3) {
    const size_t stride = ((size_t(width) * bpp + 31) / 32) * 4;
    bits = stride * size_t(height < 0 ? -height : height);
  } else {
    bits = imageSize;  // run-length data: only the header says how long
  }
  const size_t length = 14 + headerSize + palette + bits;
  return length <= bytes.size() - at ? length : 0;
}

// A 32-bit colour bitmap may carry each pixel's opacity in its fourth
// byte; the system draws such a list through that alpha when the list has
// no mask (a list all of whose alpha bytes are zero stores none). Applies
// it to `out` and says whether there was any.
static bool ApplyStoredAlpha(const std::string& bytes, size_t at, size_t length, QImage& out) {
  if (length < 54) return false;
  const size_t info = at + 14;
  const uint32_t dataOffset = ReadU32(bytes, at + 10);
  const int32_t width = int32_t(ReadU32(bytes, info + 4)), height = int32_t(ReadU32(bytes, info + 8));
  const uint16_t bitCount = ReadU16(bytes, info + 14);
  const uint32_t compression = ReadU32(bytes, info + 16);
  if (bitCount != 32 || (compression != 0 && compression != 3)) return false;
  if (width != out.width() || (height != out.height() && height != -out.height())) return false;
  const size_t stride = size_t(width) * 4;
  if (dataOffset > length || stride * size_t(out.height()) > length - dataOffset) return false;
  const char* bits = bytes.data() + at + dataOffset;
  auto alphaAt = [&](int x, int y) {
    const size_t row = height > 0 ? size_t(out.height() - 1 - y) : size_t(y);
    return uint8_t(bits[row * stride + size_t(x) * 4 + 3]);
  };
  bool any = false;
  for (int y = 0; y < out.height() && !any; ++y)
    for (int x = 0; x < out.width() && !any; ++x) any = alphaAt(x, y) != 0;
  if (!any) return false;
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) line[x] = (line[x] & 0x00FFFFFFu) | uint32_t(alphaAt(x, y)) << 24;
  }
  return true;
}

// The stream holds an image list in the system's own format: "IL" header
// (version, count, allocation, growth, width, height, background, flags,
// overlays; 28 bytes) followed by the image bitmap and, for masked lists,
// the mask bitmap, each a bitmap file with the images four to a row. The
// bitmaps' file-size fields are unreliable (real lists store 54), so each
// length comes from its header, palette and rows. Newer designers may store a
// PNG strip instead. What cannot be decoded shows nothing.
void TCustomImageList::Decode() const {
  if (decoded_) return;
  decoded_ = true;
  strip_ = QImage();
  storedCount_ = -1;
  if (data_.size() < 28) return;
  const char* p = data_.data();
  if (std::memcmp(p, "IL", 2) != 0) {
    try {
      const QImage png = DecodeImageWithinBudget(data_);
      if (!png.isNull()) strip_ = png.convertToFormat(QImage::Format_ARGB32);
    } catch (const EDecodeBudgetExceeded&) {}
    return;
  }
  storedCount_ = ReadU16(data_, 4);
  const size_t first = 28;
  const size_t n = BitmapFileLength(data_, first);
  if (n == 0) return;
  QImage colors, mask;
  try {
    colors = DecodeBitmapFile(std::string_view(p + first, n));
    const size_t m = BitmapFileLength(data_, first + n);
    if (m) mask = DecodeBitmapFile(std::string_view(p + first + n, m));
  } catch (const std::exception&) {
    return;
  }
  QImage out = colors.convertToFormat(QImage::Format_ARGB32);
  if (mask.isNull()) ApplyStoredAlpha(data_, first, n, out);
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

void TCustomImageList::ReportContent(TContentReport& report) const { report.AddInteger("imageCount", Count()); }

int TCustomImageList::Count() const {
  Decode();
  if (strip_.isNull()) return 0;
  const int perRow = std::max(1, strip_.width() / width_);
  const int capacity = perRow * (strip_.height() / height_);
  // The header counts the images in use; the strip may have room for more.
  return storedCount_ >= 0 ? std::min(storedCount_, capacity) : capacity;
}

QImage TCustomImageList::ImageAt(int index) const {
  Decode();
  if (strip_.isNull() || index < 0 || index >= Count()) return {};
  const int perRow = std::max(1, strip_.width() / width_);
  return strip_.copy((index % perRow) * width_, (index / perRow) * height_, width_, height_);
}
