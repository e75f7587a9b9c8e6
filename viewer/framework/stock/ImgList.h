// TImageList: a strip of equal-sized images, streamed as the defined
// property "Bitmap" (the bytes are kept as read and written back unchanged).
#pragma once

#include <string>

#include <QImage>

#include "components/Component.h"
#include "controls/Graphics.h"

// The length of the bitmap file that starts at `at`, computed from its
// headers, palette and rows (not its unreliable file-size field); 0 when no
// whole bitmap file starts there.
size_t BitmapFileLength(const std::string& bytes, size_t at);

class TCustomImageList : public TComponent {
  TESSALY_CLASS(TCustomImageList)

 public:
  explicit TCustomImageList(TComponent* owner);

  int Width() const { return width_; }
  void SetWidth(int v) {
    width_ = v > 0 ? v : 16;
    decoded_ = false;
  }
  int Height() const { return height_; }
  void SetHeight(int v) {
    height_ = v > 0 ? v : 16;
    decoded_ = false;
  }
  // The streamed image data, as read.
  const std::string& Data() const { return data_; }
  void SetData(std::string bytes);
  // How many images the data holds (0 when it could not be decoded).
  int Count() const;
  // One image, with its mask applied as transparency; null when absent.
  QImage ImageAt(int index) const;

  void DefineProperties(TFiler& filer) override;
  void ReportContent(TContentReport& report) const override;

  TMethod OnChange;

 private:
  void Decode() const;

  int width_ = 16;
  int height_ = 16;
  std::string data_;
  mutable bool decoded_ = false;
  mutable QImage strip_;          // every image side by side, ARGB
  mutable int storedCount_ = -1;  // the count the list's header gives, -1 without one
};

class TImageList : public TCustomImageList {
  TESSALY_CLASS(TImageList)

 public:
  explicit TImageList(TComponent* owner) : TCustomImageList(owner) {}
};
