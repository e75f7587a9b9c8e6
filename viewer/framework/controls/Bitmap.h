// Images: TGraphic and its kinds (TBitmap; pictures in other formats), the
// device-independent bitmap decoder, bitmap resources, and TPicture.
//
// A TBitmap is a Format_RGB32 QImage with a canvas. Form files store a
// bitmap property (a glyph, an image list's bitmap) as the defined property
// "Data": a 4-byte little-endian size followed by a bitmap file (file header
// "BM" + DIB). A picture property stores "Data" as the graphic's class name
// (1-byte length + name) followed by that class's own data:
//   TBitmap                        4-byte size + bitmap file
//   TJPEGImage                     4-byte size + JPEG file
//   TPngImage, TPNGObject ...      PNG file
//   TIcon                          icon file
//   TGIFImage                      GIF file
//   TMetafile and the rest         kept as bytes, drawn as nothing
// The bytes read are kept and written back unchanged until the image is
// drawn on or replaced.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <QImage>

#include "Canvas.h"
#include "Graphics.h"
#include "core/Exceptions.h"
#include "core/Persistent.h"

class TStream;

class EResNotFound : public Exception {
 public:
  explicit EResNotFound(const std::string& message) : Exception(message) {}
};

// Limits that protect against absurd image headers.
inline constexpr int kMaxImageSide = 32768;
inline constexpr int64_t kMaxImagePixels = int64_t(1) << 26;

// Decodes a bitmap file ("BM" + header + DIB) or a bare DIB (starting with
// its info header) into a Format_RGB32 image. Handles BITMAPCOREHEADER and
// BITMAPINFOHEADER (and its V4/V5 extensions), bottom-up and top-down rows,
// 1/4/8 bpp with palettes, 16/24/32 bpp, BI_RGB, BI_BITFIELDS, BI_RLE8 and
// BI_RLE4. Raises EInvalidImage for anything malformed or too large.
QImage DecodeBitmapFile(std::string_view bytes);
QImage DecodeDib(std::string_view dib);
// A bitmap file (24 bits per pixel, bottom-up) of an image.
std::string EncodeBitmapFile(const QImage& image);

// Bitmap resources, looked up by name without regard to case: first those
// registered here (a bitmap file or a bare DIB), then the program's Qt
// resources ":/bitmaps/<name>.bmp".
void RegisterBitmapResource(const std::string& name, std::string bytes);
void UnregisterBitmapResource(const std::string& name);
// The bytes of a resource, or false when there is none.
bool FindBitmapResource(const std::string& name, std::string& bytes);

class TGraphic : public TPersistent {
  TESSALY_CLASS(TGraphic)

 public:
  std::function<void()> OnChange;

  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The picture as pixels (null when there is nothing to show).
  virtual QImage ToImage() const = 0;
  // Reads/writes the graphic's own streamed form (what follows the class
  // name in a picture's data).
  virtual void LoadFromBytes(std::string_view bytes) = 0;
  virtual std::string SaveToBytes() const = 0;
  // The class name written into a picture's data.
  virtual std::string GraphicClassName() const { return ClassName(); }

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool t);
  // Draws the graphic stretched to rect.
  virtual void Draw(TCanvas& canvas, const TRect& rect) const;

 protected:
  void Changed() {
    if (OnChange) OnChange();
  }
  bool transparent_ = false;
};

enum TTransparentMode : uint8_t { tmAuto, tmFixed };

class TBitmap : public TGraphic {
  TESSALY_CLASS(TBitmap)

 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;

  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;

  bool Empty() const override { return image_.isNull(); }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // Resizing keeps the top-left pixels; new pixels are white.
  void SetWidth(int w);
  void SetHeight(int h);
  void SetSize(int w, int h);

  TCanvas* Canvas();
  const QImage& Image() const { return image_; }
  QImage ToImage() const override { return image_; }
  // Replaces the pixels (converted to Format_RGB32).
  void SetImage(const QImage& image);

  // Transparency for Draw: the colour left out is the bottom-left pixel's
  // (tmAuto) or TransparentColor (tmFixed).
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode m);
  TColor TransparentColor() const;
  void SetTransparentColor(TColor c);

  // A bitmap as a picture's data holds it (4-byte size + bitmap file); a
  // plain bitmap file or a bare DIB is accepted too.
  void LoadFromBytes(std::string_view bytes) override;
  // 4-byte size + bitmap file.
  std::string SaveToBytes() const override;
  void LoadFromStream(TStream& stream);      // a bitmap file from the position to the end
  void SaveToStream(TStream& stream) const;  // a bitmap file
  void LoadFromBitmapFile(const std::string& path);
  // The bitmap file (the original bytes when the pixels are unchanged).
  std::string BitmapFileBytes() const;
  // Raises EResNotFound when no resource has that name.
  void LoadFromResourceName(const std::string& name);

  void Draw(TCanvas& canvas, const TRect& rect) const override;

 private:
  void ImageChanged();
  void ReadData(const TFormNode& node);
  TFormNode WriteData() const;

  QImage image_;  // null while either side is 0
  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<TCanvas> canvas_;
  std::string original_;  // bitmap file bytes as read, while the pixels are unchanged
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clDefault;
};

// The image with every pixel of the transparent colour (by default the
// bottom-left pixel's) made fully transparent: a speed button's glyph.
QImage MaskedGlyph(const QImage& image, TColor transparent = clDefault);
QImage MaskedGlyph(const TBitmap& bitmap);

// A graphic of a format kept as its file bytes (JPEG, PNG, GIF, icon,
// metafile, or a class this program does not know), decoded by Qt's image
// readers when it can be.
class TEncodedGraphic : public TGraphic {
  TESSALY_CLASS(TEncodedGraphic)

 public:
  TEncodedGraphic() = default;
  explicit TEncodedGraphic(std::string className) : className_(std::move(className)) {}

  void Assign(const TPersistent& source) override;
  // "Data": the file bytes as they are (an icon's or a PNG image's own
  // streamed form when it is a property by itself).
  void DefineProperties(TFiler& filer) override;
  bool Empty() const override { return bytes_.empty(); }
  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  QImage ToImage() const override { return image_; }
  void LoadFromBytes(std::string_view bytes) override;
  std::string SaveToBytes() const override { return bytes_; }
  std::string GraphicClassName() const override { return className_; }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string className_;
  std::string bytes_;
  QImage image_;
};

// An icon property (a form's Icon): its Data is the icon file.
class TIcon : public TEncodedGraphic {
  TESSALY_CLASS(TIcon)

 public:
  TIcon() : TEncodedGraphic("TIcon") {}
};

// A PNG image property: its Data is the PNG file.
class TPngImage : public TEncodedGraphic {
  TESSALY_CLASS(TPngImage)

 public:
  TPngImage() : TEncodedGraphic("TPngImage") {}
};

class TPicture : public TPersistent {
  TESSALY_CLASS(TPicture)

 public:
  TPicture();
  ~TPicture() override;

  std::function<void()> OnChange;

  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;

  TGraphic* Graphic() const { return graphic_.get(); }
  // Takes a copy of the graphic (nullptr clears the picture).
  void SetGraphic(const TGraphic* graphic);
  // The graphic as a bitmap, replacing any other kind by an empty bitmap.
  TBitmap* Bitmap();
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  QImage ToImage() const { return graphic_ ? graphic_->ToImage() : QImage(); }

  // The picture's streamed data: class name + the graphic's own data.
  void LoadFromData(std::string_view data);
  std::string SaveToData() const;

 private:
  void Changed();

  std::unique_ptr<TGraphic> graphic_;
};
