#include "Bitmap.h"
#include "ImageDecoding.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <map>
#include <mutex>

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include "core/Ascii.h"
#include "core/FormNode.h"
#include "core/Streams.h"

namespace {

constexpr const char* kInvalidBitmap = "Bitmap image is not valid";

[[noreturn]] void Invalid(const std::string& why) { throw EInvalidImage(std::string(kInvalidBitmap) + ": " + why); }

uint32_t U32(std::string_view b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
         uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t U16(std::string_view b, size_t at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }
void PutU32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 0xFF);
}
void PutU16(std::string& s, uint16_t v) {
  s += char(v & 0xFF);
  s += char(v >> 8);
}

bool IsDibHeaderSize(uint32_t n) {
  return n == 12 || n == 16 || n == 40 || n == 52 || n == 56 || n == 64 || n == 108 || n == 124;
}

// One channel of a BI_BITFIELDS mask, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  explicit Channel(uint32_t m) : mask(m) {
    if (!m) return;
    shift = std::countr_zero(m);
    uint32_t bits = uint32_t(std::popcount(m >> shift));
    max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
  }
  uint32_t Get(uint32_t v) const {
    if (!mask || !max) return 0;
    uint64_t c = (v & mask) >> shift;
    return uint32_t((c * 255 + max / 2) / max);
  }
};

enum DibCompression : uint32_t {
  BI_RGB = 0,
  BI_RLE8 = 1,
  BI_RLE4 = 2,
  BI_BITFIELDS = 3,
  BI_JPEG = 4,
  BI_PNG = 5,
  BI_ALPHABITFIELDS = 6
};

// What a device-independent bitmap's header says of its pixels.
struct DibHeader {
  uint32_t headerSize = 0;
  int64_t width = 0, height = 0;
  bool topDown = false;
  uint32_t bpp = 0, compression = BI_RGB, colorsUsed = 0;
  size_t paletteEntry = 4;        // bytes per colour table entry: 3 in the old core header
  uint32_t masks[3] = {0, 0, 0};  // red, green and blue of 16- and 32-bit pixels
};

// Reads the core or info header, refuses sizes and depths this decoder
// cannot hold, and charges the image's size to the decoding budget.
DibHeader ReadDibHeader(std::string_view dib) {
  if (dib.size() < 12) Invalid("header truncated");
  DibHeader h;
  h.headerSize = U32(dib, 0);
  if (!IsDibHeaderSize(h.headerSize)) Invalid("unknown header size " + std::to_string(h.headerSize));
  if (h.headerSize > dib.size()) Invalid("header truncated");
  if (h.headerSize == 12) {
    h.width = U16(dib, 4);
    h.height = int16_t(U16(dib, 6));
    h.bpp = U16(dib, 10);
    h.paletteEntry = 3;
  } else {
    if (h.headerSize < 16) Invalid("header truncated");
    h.width = int32_t(U32(dib, 4));
    h.height = int32_t(U32(dib, 8));
    h.bpp = U16(dib, 14);
    if (h.headerSize >= 20) h.compression = U32(dib, 16);
    if (h.headerSize >= 36) h.colorsUsed = U32(dib, 32);
  }
  h.topDown = h.height < 0;
  if (h.topDown) h.height = -h.height;
  if (h.width <= 0 || h.height <= 0) Invalid("empty or negative size");
  if (h.width > kMaxImageSide || h.height > kMaxImageSide || h.width * h.height > kMaxImagePixels) {
    Invalid("image too large (" + std::to_string(h.width) + " x " + std::to_string(h.height) + ")");
  }
  const uint32_t bpp = h.bpp;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
    Invalid("unsupported bit count " + std::to_string(bpp));
  }
  TDecodeBudget::Charge(h.width, h.height);
  return h;
}

// Reads the colour masks of bit-field pixels (inside a long header or just
// after a short one) or sets the fixed ones of uncompressed 16- and 32-bit
// pixels, and checks that the compression suits the depth. Returns where
// the colour table starts.
size_t ReadColourMasks(std::string_view dib, DibHeader& h) {
  size_t pos = h.headerSize;
  if (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS) {
    if (h.bpp != 16 && h.bpp != 32) Invalid("bit fields need 16 or 32 bits per pixel");
    if (h.headerSize >= 52) {
      for (int i = 0; i < 3; ++i) h.masks[i] = U32(dib, 40 + 4 * size_t(i));
    } else {
      size_t n = h.compression == BI_ALPHABITFIELDS ? 4 : 3;
      if (dib.size() < pos + 4 * n) Invalid("colour masks truncated");
      for (int i = 0; i < 3; ++i) h.masks[i] = U32(dib, pos + 4 * size_t(i));
      pos += 4 * n;
    }
  } else if (h.bpp == 16) {
    h.masks[0] = 0x7C00;
    h.masks[1] = 0x03E0;
    h.masks[2] = 0x001F;
  } else {
    h.masks[0] = 0xFF0000;
    h.masks[1] = 0x00FF00;
    h.masks[2] = 0x0000FF;
  }
  if (h.compression == BI_RLE8 && h.bpp != 8) Invalid("RLE8 needs 8 bits per pixel");
  if (h.compression == BI_RLE4 && h.bpp != 4) Invalid("RLE4 needs 4 bits per pixel");
  if (h.compression > BI_ALPHABITFIELDS) Invalid("unknown compression " + std::to_string(h.compression));
  return pos;
}

// Reads the colour table at `pos` and moves `pos` past it. Indexed pixels
// get a palette of every index their depth reaches (black where the table
// stops); deeper pixels may carry an optional table, which is skipped.
std::vector<uint32_t> ReadPalette(std::string_view dib, const DibHeader& h, size_t& pos) {
  std::vector<uint32_t> palette;
  size_t tableEntries = 0;
  if (h.bpp <= 8) {
    tableEntries = h.colorsUsed ? h.colorsUsed : (size_t(1) << h.bpp);
    if (tableEntries > 256 && h.colorsUsed > 256) {
      // More entries than indices can reach: read only the reachable ones.
      tableEntries = h.colorsUsed;
    }
  } else {
    tableEntries = h.colorsUsed;  // an optional table before the pixels
  }
  if (tableEntries > (dib.size() - std::min(dib.size(), pos)) / h.paletteEntry) {
    Invalid("colour table truncated");
  }
  if (h.bpp <= 8) {
    size_t n = std::min<size_t>(tableEntries, size_t(1) << h.bpp);
    palette.resize(size_t(1) << h.bpp, 0xFF000000u);
    for (size_t i = 0; i < n; ++i) {
      size_t at = pos + i * h.paletteEntry;
      palette[i] =
          0xFF000000u | uint32_t(uint8_t(dib[at + 2])) << 16 | uint32_t(uint8_t(dib[at + 1])) << 8 |
          uint32_t(uint8_t(dib[at]));
    }
  }
  pos += tableEntries * h.paletteEntry;
  return palette;
}

// A JPEG or PNG file in place of the pixels. The header's size was charged
// to the budget; the embedded file is decoded only when it declares no more.
QImage DecodeEmbeddedImage(std::string_view pixels, const DibHeader& h) {
  QImageReader reader;
  QByteArray data = QByteArray::fromRawData(pixels.data(), qsizetype(std::min<size_t>(pixels.size(), INT32_MAX)));
  QBuffer buffer(&data);
  reader.setDevice(&buffer);
  const QSize declared = reader.size();
  if (!declared.isValid() || int64_t(declared.width()) * declared.height() > h.width * h.height)
    Invalid("embedded image larger than its header");
  QImage img = reader.read();
  if (img.isNull()) Invalid("embedded image cannot be decoded");
  return img.convertToFormat(QImage::Format_RGB32);
}

// The scan line of the image that holds a row of the file: bottom-up
// bitmaps store their last row first.
uint32_t* RowOf(QImage& image, const DibHeader& h, int fileRow) {
  const int y = h.topDown ? fileRow : int(h.height) - 1 - fileRow;
  return reinterpret_cast<uint32_t*>(image.scanLine(y));
}

// Run-length encoded 8- or 4-bit pixels: runs of one index, absolute runs,
// line ends and jumps. What the runs leave untouched keeps the first colour.
void DecodeRunLengths(
    std::string_view pixels, const DibHeader& h, const std::vector<uint32_t>& palette, QImage& image) {
  if (h.topDown) Invalid("compressed bitmaps cannot be top-down");
  image.fill(palette[0]);
  const bool rle8 = h.compression == BI_RLE8;
  const int w = int(h.width), height = int(h.height);
  int x = 0, row = 0;
  size_t i = 0;
  auto put = [&](int index) {
    if (x < w && row < height) RowOf(image, h, row)[x] = palette[size_t(index) % palette.size()];
    ++x;
  };
  while (i + 1 < pixels.size() + 1 && row < height) {
    if (i + 2 > pixels.size()) Invalid("compressed data truncated");
    uint8_t count = uint8_t(pixels[i]), value = uint8_t(pixels[i + 1]);
    i += 2;
    if (count > 0) {
      for (int k = 0; k < count; ++k) put(rle8 ? value : (k % 2 == 0 ? value >> 4 : value & 0x0F));
    } else if (value == 0) {  // end of line
      x = 0;
      ++row;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (i + 2 > pixels.size()) Invalid("compressed data truncated");
      x += uint8_t(pixels[i]);
      row += uint8_t(pixels[i + 1]);
      i += 2;
    } else {  // absolute run of `value` pixels, padded to 16 bits
      size_t bytes = rle8 ? value : (size_t(value) + 1) / 2;
      if (i + bytes > pixels.size()) Invalid("compressed data truncated");
      for (int k = 0; k < value; ++k) {
        uint8_t b = uint8_t(pixels[i + (rle8 ? size_t(k) : size_t(k) / 2)]);
        put(rle8 ? b : (k % 2 == 0 ? b >> 4 : b & 0x0F));
      }
      i += (bytes + 1) & ~size_t(1);
    }
  }
}

// One row of uncompressed pixels into 32-bit colours.
void DecodeRow(const uint8_t* src, uint32_t* dst, int w, const DibHeader& h, const std::vector<uint32_t>& palette) {
  const Channel r(h.masks[0]), g(h.masks[1]), b(h.masks[2]);
  switch (h.bpp) {
    case 1:
      for (int x = 0; x < w; ++x) dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
      break;
    case 4:
      for (int x = 0; x < w; ++x) dst[x] = palette[(x & 1) ? src[x >> 1] & 0x0F : src[x >> 1] >> 4];
      break;
    case 8:
      for (int x = 0; x < w; ++x) dst[x] = palette[src[x]];
      break;
    case 16:
      for (int x = 0; x < w; ++x) {
        uint32_t v = uint32_t(src[2 * x]) | uint32_t(src[2 * x + 1]) << 8;
        dst[x] = 0xFF000000u | r.Get(v) << 16 | g.Get(v) << 8 | b.Get(v);
      }
      break;
    case 24:
      for (int x = 0; x < w; ++x) {
        const uint8_t* p = src + 3 * x;
        dst[x] = 0xFF000000u | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
      }
      break;
    case 32:
      for (int x = 0; x < w; ++x) {
        const uint8_t* p = src + 4 * x;
        uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        dst[x] = 0xFF000000u | r.Get(v) << 16 | g.Get(v) << 8 | b.Get(v);
      }
      break;
  }
}

// Uncompressed pixels: rows padded to 32 bits, except that the last row
// needs only its own bytes.
void DecodeRows(std::string_view pixels, const DibHeader& h, const std::vector<uint32_t>& palette, QImage& image) {
  const int w = int(h.width), height = int(h.height);
  const size_t stride = ((size_t(w) * h.bpp + 31) / 32) * 4;
  const size_t lastRow = (size_t(w) * h.bpp + 7) / 8;
  if (pixels.size() < stride * size_t(height - 1) + lastRow) Invalid("pixel data truncated");
  for (int fr = 0; fr < height; ++fr) {
    const uint8_t* src = reinterpret_cast<const uint8_t*>(pixels.data()) + stride * size_t(fr);
    DecodeRow(src, RowOf(image, h, fr), w, h, palette);
  }
}

QImage DecodeDibImpl(std::string_view dib, int64_t pixelOffset) {
  DibHeader h = ReadDibHeader(dib);
  size_t pos = ReadColourMasks(dib, h);
  const std::vector<uint32_t> palette = ReadPalette(dib, h, pos);
  // The file header's pixel offset wins when it is plausible.
  if (pixelOffset >= int64_t(h.headerSize) && pixelOffset < int64_t(dib.size())) pos = size_t(pixelOffset);
  if (pos > dib.size()) Invalid("pixel data missing");
  const std::string_view pixels = dib.substr(pos);
  if (h.compression == BI_JPEG || h.compression == BI_PNG) return DecodeEmbeddedImage(pixels, h);

  QImage image(int(h.width), int(h.height), QImage::Format_RGB32);
  if (image.isNull()) Invalid("out of memory");
  if (h.compression == BI_RLE8 || h.compression == BI_RLE4) {
    DecodeRunLengths(pixels, h, palette, image);
  } else {
    DecodeRows(pixels, h, palette, image);
  }
  return image;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && s.substr(0, prefix.size()) == prefix;
}

std::string Lower(std::string s) {
  for (char& c : s) c = AsciiLower(c);
  return s;
}

std::mutex& RegistryMutex() {
  static std::mutex m;
  return m;
}
std::map<std::string, std::string>& Registry() {
  static std::map<std::string, std::string> r;
  return r;
}

// An image from a bitmap file or a bare DIB.
QImage DecodeBitmapBytes(std::string_view bytes) {
  if (StartsWith(bytes, "BM")) return DecodeBitmapFile(bytes);
  return DecodeDib(bytes);
}

}  // namespace

QImage DecodeImageWithinBudget(std::string_view bytes, const char* format) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(std::min<size_t>(bytes.size(), INT32_MAX)));
  QBuffer buffer(&data);
  QImageReader reader(&buffer, format);
  const QSize size = reader.size();
  if (!size.isValid()) {
    // A reader that cannot tell the size first is charged what it decoded.
    QImage image = reader.read();
    if (!image.isNull()) TDecodeBudget::Charge(image.width(), image.height());
    return image;
  }
  if (size.width() > kMaxImageSide || size.height() > kMaxImageSide ||
      int64_t(size.width()) * size.height() > kMaxImagePixels)
    return {};
  TDecodeBudget::Charge(size.width(), size.height());
  return reader.read();
}

QImage DecodeDib(std::string_view dib) { return DecodeDibImpl(dib, -1); }

QImage DecodeBitmapFile(std::string_view bytes) {
  if (bytes.size() < 14 || !StartsWith(bytes, "BM")) Invalid("no bitmap file header");
  int64_t offset = int64_t(U32(bytes, 10)) - 14;
  return DecodeDibImpl(bytes.substr(14), offset);
}

std::string EncodeBitmapFile(const QImage& source) {
  QImage image = source.convertToFormat(QImage::Format_RGB32);
  const int w = image.width(), h = image.height();
  const uint32_t stride = ((uint32_t(w) * 24 + 31) / 32) * 4;
  const uint32_t imageSize = stride * uint32_t(h);
  std::string out;
  out.reserve(54 + imageSize);
  out += "BM";
  PutU32(out, 54 + imageSize);
  PutU32(out, 0);
  PutU32(out, 54);
  PutU32(out, 40);
  PutU32(out, uint32_t(w));
  PutU32(out, uint32_t(h));
  PutU16(out, 1);
  PutU16(out, 24);
  PutU32(out, 0);  // BI_RGB
  PutU32(out, imageSize);
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      out += char(row[x] & 0xFF);
      out += char((row[x] >> 8) & 0xFF);
      out += char((row[x] >> 16) & 0xFF);
    }
    for (uint32_t p = uint32_t(w) * 3; p < stride; ++p) out += '\0';
  }
  return out;
}

void RegisterBitmapResource(const std::string& name, std::string bytes) {
  std::lock_guard lock(RegistryMutex());
  Registry()[Lower(name)] = std::move(bytes);
}

void UnregisterBitmapResource(const std::string& name) {
  std::lock_guard lock(RegistryMutex());
  Registry().erase(Lower(name));
}

bool FindBitmapResource(const std::string& name, std::string& bytes) {
  {
    std::lock_guard lock(RegistryMutex());
    auto it = Registry().find(Lower(name));
    if (it != Registry().end()) {
      bytes = it->second;
      return true;
    }
  }
  const QString wanted = QString::fromStdString(name) + QStringLiteral(".bmp");
  QDir dir(QStringLiteral(":/bitmaps"));
  const QStringList entries = dir.entryList(QDir::Files);
  for (const QString& entry : entries) {
    if (entry.compare(wanted, Qt::CaseInsensitive) != 0) continue;
    QFile f(dir.filePath(entry));
    if (!f.open(QIODevice::ReadOnly)) return false;
    QByteArray data = f.readAll();
    bytes.assign(data.constData(), size_t(data.size()));
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------
// TGraphic

const TClassInfo& TGraphic::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TGraphic>("TGraphic", &TPersistent::StaticClassInfo()).Build();
  return info;
}

void TGraphic::SetTransparent(bool t) {
  if (transparent_ == t) return;
  transparent_ = t;
  Changed();
}

void TGraphic::Draw(TCanvas& canvas, const TRect& rect) const {
  QImage img = ToImage();
  if (img.isNull() || !canvas.Image()) return;
  if (img.hasAlphaChannel()) {
    // Blend images with an alpha channel (PNG, icons) over the canvas.
    TRect d = rect;
    OffsetRect(d, canvas.Origin().X, canvas.Origin().Y);
    TRect clip = canvas.ClipRect();
    OffsetRect(clip, canvas.Origin().X, canvas.Origin().Y);
    QPainter p(canvas.Image());
    p.setClipRect(QRect(clip.Left, clip.Top, clip.Width(), clip.Height()));
    p.drawImage(QRect(d.Left, d.Top, d.Width(), d.Height()), img);
    return;
  }
  canvas.DrawImage(rect, img, Rect(0, 0, img.width(), img.height()));
}

// ---------------------------------------------------------------------------
// TBitmap

const TClassInfo& TBitmap::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TBitmap>("TBitmap", &TGraphic::StaticClassInfo())
          .Integer("Height", &TBitmap::Height, &TBitmap::SetHeight)
          .StoredWhen([](const TBitmap*) { return false; })
          .Integer("Width", &TBitmap::Width, &TBitmap::SetWidth)
          .StoredWhen([](const TBitmap*) { return false; })
          .Build();
  return info;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() = default;

void TBitmap::Assign(const TPersistent& source) {
  if (auto* b = dynamic_cast<const TBitmap*>(&source)) {
    if (b == this) return;
    image_ = b->image_.copy();
    width_ = b->width_;
    height_ = b->height_;
    original_ = b->original_;
    transparent_ = b->transparent_;
    transparentMode_ = b->transparentMode_;
    transparentColor_ = b->transparentColor_;
    if (canvas_) canvas_->Attach(&image_);
    Changed();
    return;
  }
  if (auto* g = dynamic_cast<const TGraphic*>(&source)) {
    SetImage(g->ToImage());
    return;
  }
  TGraphic::Assign(source);
}

void TBitmap::ImageChanged() {
  original_.clear();
  Changed();
}

void TBitmap::SetSize(int w, int h) {
  w = std::max(0, w);
  h = std::max(0, h);
  if (w == Width() && h == Height()) return;
  if (w > kMaxImageSide || h > kMaxImageSide || int64_t(w) * h > kMaxImagePixels) {
    throw EOutOfResources("Bitmap too large (" + std::to_string(w) + " x " + std::to_string(h) + ")");
  }
  QImage next;
  if (w > 0 && h > 0) {
    next = QImage(w, h, QImage::Format_RGB32);
    next.fill(0xFFFFFFFFu);
    if (!image_.isNull()) {
      for (int y = 0; y < std::min(h, image_.height()); ++y) {
        std::memcpy(next.scanLine(y), image_.constScanLine(y), size_t(std::min(w, image_.width())) * 4);
      }
    }
  }
  image_ = next;
  width_ = w;
  height_ = h;
  if (canvas_) canvas_->Attach(&image_);
  ImageChanged();
}

void TBitmap::SetWidth(int w) { SetSize(w, Height()); }
void TBitmap::SetHeight(int h) { SetSize(Width(), h); }

TCanvas* TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TCanvas>(&image_);
    canvas_->OnChange = [this] { ImageChanged(); };
  }
  return canvas_.get();
}

void TBitmap::SetImage(const QImage& image) {
  image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
  width_ = image_.width();
  height_ = image_.height();
  if (canvas_) canvas_->Attach(&image_);
  ImageChanged();
}

void TBitmap::SetTransparentMode(TTransparentMode m) {
  if (transparentMode_ == m) return;
  transparentMode_ = m;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
  if (image_.isNull()) return clDefault;
  return PixelToColor(reinterpret_cast<const uint32_t*>(image_.constScanLine(image_.height() - 1))[0]);
}

void TBitmap::SetTransparentColor(TColor c) {
  transparentColor_ = c;
  transparentMode_ = c == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::LoadFromBytes(std::string_view bytes) {
  std::string_view file = bytes;
  if (bytes.size() >= 6 && U32(bytes, 0) == bytes.size() - 4 && bytes.substr(4, 2) == "BM") {
    file = bytes.substr(4);
  } else if (bytes.size() >= 4 && !StartsWith(bytes, "BM") && !IsDibHeaderSize(U32(bytes, 0))) {
    // A size prefix that does not match what follows.
    uint32_t declared = U32(bytes, 0);
    if (declared > bytes.size() - 4) Invalid("data shorter than its declared size");
    file = bytes.substr(4, declared);
  }
  if (file.empty()) {
    SetImage(QImage());
    return;
  }
  QImage img;
  try {
    img = DecodeBitmapBytes(file);
  } catch (const EDecodeBudgetExceeded&) {
    if (!StartsWith(file, "BM")) throw;  // a bare DIB could not be written back
  }
  SetImage(img);
  if (StartsWith(file, "BM")) original_.assign(file.data(), file.size());
}

std::string TBitmap::BitmapFileBytes() const {
  if (!original_.empty()) return original_;
  if (image_.isNull()) return {};
  return EncodeBitmapFile(image_);
}

std::string TBitmap::SaveToBytes() const {
  std::string file = BitmapFileBytes();
  std::string out;
  PutU32(out, uint32_t(file.size()));
  return out + file;
}

void TBitmap::LoadFromStream(TStream& stream) {
  int64_t size = stream.Size() - stream.Position();
  if (size < 0) size = 0;
  if (size > int64_t(1) << 31) Invalid("stream too large");
  std::string bytes(size_t(size), '\0');
  if (size) stream.ReadBuffer(bytes.data(), bytes.size());
  if (!StartsWith(bytes, "BM")) Invalid("no bitmap file header");
  LoadFromBytes(bytes);
}

void TBitmap::SaveToStream(TStream& stream) const {
  std::string file = BitmapFileBytes();
  if (!file.empty()) stream.WriteBuffer(file.data(), file.size());
}

void TBitmap::LoadFromBitmapFile(const std::string& path) {
  TFileStream stream(path, fmOpenRead);
  LoadFromStream(stream);
}

void TBitmap::LoadFromResourceName(const std::string& name) {
  std::string bytes;
  if (!FindBitmapResource(name, bytes)) throw EResNotFound("Resource " + name + " not found");
  SetImage(DecodeBitmapBytes(bytes));
  if (StartsWith(bytes, "BM")) original_ = bytes;
}

void TBitmap::ReadData(const TFormNode& node) {
  std::string_view data = node.bytes;
  if (data.size() < 4) Invalid("data truncated");
  uint32_t size = U32(data, 0);
  if (size > data.size() - 4) Invalid("data shorter than its declared size");
  std::string_view file = data.substr(4, size);
  if (file.empty()) {
    SetImage(QImage());
    return;
  }
  if (!StartsWith(file, "BM")) Invalid("no bitmap file header");
  QImage img;
  try {
    img = DecodeBitmapFile(file);
  } catch (const EDecodeBudgetExceeded&) {
    // Shown empty; the bytes are still written back.
  }
  SetImage(img);
  original_.assign(file.data(), file.size());
}

TFormNode TBitmap::WriteData() const { return TFormNode::Binary(SaveToBytes()); }

void TBitmap::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Data", [this](const TFormNode& n) { ReadData(n); }, [this] { return WriteData(); }, !Empty());
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) const {
  if (Empty()) return;
  if (transparent_ && rect.Width() == Width() && rect.Height() == Height()) {
    canvas.DrawTransparent(rect.Left, rect.Top, image_, TransparentColor());
    return;
  }
  canvas.DrawImage(rect, image_, Rect(0, 0, Width(), Height()));
}

QImage MaskedGlyph(const QImage& source, TColor transparent) {
  if (source.isNull()) return {};
  QImage img = source.convertToFormat(QImage::Format_ARGB32);
  uint32_t key;
  if (transparent == clDefault) {
    key = reinterpret_cast<const uint32_t*>(img.constScanLine(img.height() - 1))[0] & 0xFFFFFF;
  } else {
    key = ColorToPixel(transparent) & 0xFFFFFF;
  }
  for (int y = 0; y < img.height(); ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      if ((row[x] & 0xFFFFFF) == key) row[x] = 0;
    }
  }
  return img;
}

QImage MaskedGlyph(const TBitmap& bitmap) {
  return MaskedGlyph(bitmap.Image(), bitmap.TransparentMode() == tmFixed ? bitmap.TransparentColor() : clDefault);
}

// ---------------------------------------------------------------------------
// TEncodedGraphic

const TClassInfo& TEncodedGraphic::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TEncodedGraphic>("TEncodedGraphic", &TGraphic::StaticClassInfo()).Build();
  return info;
}

void TEncodedGraphic::Assign(const TPersistent& source) {
  if (auto* g = dynamic_cast<const TEncodedGraphic*>(&source)) {
    if (g == this) return;
    className_ = g->className_;
    bytes_ = g->bytes_;
    image_ = g->image_;
    transparent_ = g->transparent_;
    Changed();
    return;
  }
  TGraphic::Assign(source);
}

void TEncodedGraphic::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Data", [this](const TFormNode& n) { LoadFromBytes(n.bytes); }, [this] { return TFormNode::Binary(bytes_); },
      !bytes_.empty());
}

const TClassInfo& TIcon::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TIcon>("TIcon", &TEncodedGraphic::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TPngImage::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TPngImage>("TPngImage", &TEncodedGraphic::StaticClassInfo()).Build();
  return info;
}

void TEncodedGraphic::LoadFromBytes(std::string_view bytes) {
  bytes_.assign(bytes.data(), bytes.size());
  image_ = QImage();
  // Some classes put a 4-byte size before the file (JPEG images do).
  std::string_view file = bytes;
  if (bytes.size() >= 8 && U32(bytes, 0) == bytes.size() - 4) file = bytes.substr(4);
  auto decode = [&](const char* format) { return DecodeImageWithinBudget(file, format); };
  try {
    if (StartsWith(file, "\x89PNG\r\n\x1a\n")) {
      image_ = decode("PNG");
    } else if (StartsWith(file, "\xFF\xD8")) {
      image_ = decode("JPEG");
    } else if (StartsWith(file, "GIF8")) {
      image_ = decode("GIF");
    } else if (StartsWith(file, "BM")) {
      image_ = DecodeBitmapFile(file);
    } else if (StartsWith(file, std::string_view("\0\0\1\0", 4)) || StartsWith(file, std::string_view("\0\0\2\0", 4))) {
      image_ = decode("ICO");
    }
  } catch (const EInvalidImage&) {
    image_ = QImage();  // shown as nothing; the bytes are still written back
  }
  Changed();
}

// ---------------------------------------------------------------------------
// TPicture

const TClassInfo& TPicture::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TPicture>("TPicture", &TPersistent::StaticClassInfo()).Build();
  return info;
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
  if (OnChange) OnChange();
}

void TPicture::SetGraphic(const TGraphic* graphic) {
  std::unique_ptr<TGraphic> copy;
  if (graphic) {
    if (dynamic_cast<const TBitmap*>(graphic)) {
      copy = std::make_unique<TBitmap>();
    } else if (dynamic_cast<const TIcon*>(graphic)) {
      copy = std::make_unique<TIcon>();
    } else {
      copy = std::make_unique<TEncodedGraphic>(graphic->GraphicClassName());
    }
    copy->Assign(*graphic);
    copy->OnChange = [this] { Changed(); };
  }
  graphic_ = std::move(copy);
  Changed();
}

TBitmap* TPicture::Bitmap() {
  if (auto* b = dynamic_cast<TBitmap*>(graphic_.get())) return b;
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->OnChange = [this] { Changed(); };
  TBitmap* raw = bitmap.get();
  graphic_ = std::move(bitmap);
  Changed();
  return raw;
}

void TPicture::Assign(const TPersistent& source) {
  if (auto* p = dynamic_cast<const TPicture*>(&source)) {
    if (p != this) SetGraphic(p->Graphic());
    return;
  }
  if (auto* g = dynamic_cast<const TGraphic*>(&source)) {
    SetGraphic(g);
    return;
  }
  TPersistent::Assign(source);
}

void TPicture::LoadFromData(std::string_view data) {
  if (data.empty()) {
    graphic_.reset();
    Changed();
    return;
  }
  size_t nameLength = uint8_t(data[0]);
  if (1 + nameLength > data.size()) Invalid("picture class name truncated");
  std::string className(data.substr(1, nameLength));
  std::string_view rest = data.substr(1 + nameLength);
  std::unique_ptr<TGraphic> graphic;
  if (className == "TBitmap") {
    graphic = std::make_unique<TBitmap>();
  } else if (className == "TIcon") {
    graphic = std::make_unique<TIcon>();
  } else {
    graphic = std::make_unique<TEncodedGraphic>(className);
  }
  graphic->LoadFromBytes(rest);
  graphic->OnChange = [this] { Changed(); };
  graphic_ = std::move(graphic);
  Changed();
}

std::string TPicture::SaveToData() const {
  if (!graphic_) return {};
  std::string name = graphic_->GraphicClassName().substr(0, 255);
  std::string out(1, char(name.size()));
  out += name;
  out += graphic_->SaveToBytes();
  return out;
}

void TPicture::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Data", [this](const TFormNode& n) { LoadFromData(n.bytes); }, [this] { return TFormNode::Binary(SaveToData()); },
      graphic_ != nullptr);
}
