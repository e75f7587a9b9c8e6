#include "FormPictures.h"

#include <QBuffer>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include <cctype>
#include <cstring>
#include <exception>
#include <map>
#include <memory>
#include <set>

#include "controls/Bitmap.h"
#include "controls/Forms.h"
#include "core/FormValue.h"
#include "core/SysUtils.h"
#include "stock/ImgList.h"
#include "streaming/Converters.h"
#include "streaming/FormSource.h"

namespace {

// A binary value met while reading the form, with where it was.
struct BinaryValue {
  std::string owner;     // the component's name (its class when unnamed)
  std::string property;  // as stored, with "Items[2]." in front inside a collection
  std::string bytes;
  int listWidth = 16, listHeight = 16;  // the component's Width and Height so far
};

// Collects every binary value with the component and property it belongs to.
class BinaryCollector : public FormIgnoredEvents {
 public:
  std::vector<BinaryValue> values;

  void BeginComponent(const FormObjectHeader& h) override {
    components_.push_back({std::string(h.name.empty() ? h.className : h.name), 16, 16});
  }
  void EndComponent() override { components_.pop_back(); }
  void Property(std::string_view name) override { property_ = std::string(name); }
  void BeginCollection() override { collections_.push_back({property_, -1}); }
  void BeginItem(bool, const FormScalar&) override { ++collections_.back().index; }
  void EndCollection() override { collections_.pop_back(); }
  void Scalar(const FormScalar& v) override {
    if (components_.empty()) return;
    Component& c = components_.back();
    const bool integer = v.type == TValueType::vaInt8 || v.type == TValueType::vaInt16 || v.type == TValueType::vaInt32;
    if (integer && collections_.empty() && v.integer > 0 && v.integer <= 4096) {
      if (property_ == "Width") c.width = int(v.integer);
      if (property_ == "Height") c.height = int(v.integer);
    }
    if (v.type != TValueType::vaBinary) return;
    std::string path;
    for (const Collection& k : collections_) path += k.property + "[" + std::to_string(k.index) + "].";
    values.push_back({c.name, path + property_, std::string(v.bytes), c.width, c.height});
  }

 private:
  struct Component {
    std::string name;
    int width, height;
  };
  struct Collection {
    std::string property;
    int index;
  };
  std::vector<Component> components_;
  std::vector<Collection> collections_;
  std::string property_;
};

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

uint32_t U32(std::string_view s, size_t at) {
  const auto* p = reinterpret_cast<const uint8_t*>(s.data() + at);
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The file behind an optional 4-byte size prefix that matches the rest.
std::string_view WithoutSizePrefix(std::string_view data) {
  if (data.size() >= 8 && U32(data, 0) == data.size() - 4) return data.substr(4);
  return data;
}

bool IsIconFile(std::string_view s) {
  return StartsWith(s, std::string_view("\0\0\1\0", 4)) || StartsWith(s, std::string_view("\0\0\2\0", 4));
}

// The extension of a file stored as it is; empty for a format not known.
std::string EncodedExtension(std::string_view file) {
  if (StartsWith(file, "BM")) return "bmp";
  if (StartsWith(file, "\x89PNG\r\n\x1a\n")) return "png";
  if (StartsWith(file, "\xFF\xD8")) return "jpg";
  if (StartsWith(file, "GIF8")) return "gif";
  if (IsIconFile(file)) return "ico";
  if (StartsWith(file, "\xD7\xCD\xC6\x9A")) return "wmf";  // a placeable metafile
  if (file.size() >= 44 && U32(file, 0) == 1 && file.substr(40, 4) == " EMF") return "emf";
  if (file.size() >= 18 && (U32(file, 0) & 0xFFFF) <= 2 && (U32(file, 0) >> 16) == 9) return "wmf";
  return {};
}

// A picture's data starts with its graphic class: a length byte and an
// identifier beginning with T.
bool PictureClass(std::string_view data, std::string& className) {
  if (data.size() < 2) return false;
  const size_t n = uint8_t(data[0]);
  if (n < 2 || n > 63 || n + 1 > data.size() || data[1] != 'T') return false;
  for (size_t i = 1; i <= n; ++i) {
    const char c = data[i];
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
  }
  className.assign(data.substr(1, n));
  return true;
}

std::string PngBytes(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return std::string(png.constData(), size_t(png.size()));
}

// The last part of a property path before ".Data": "Picture", "Glyph" ...
std::string PictureProperty(const std::string& property) {
  std::string_view p = property;
  if (p.size() > 5 && p.substr(p.size() - 5) == ".Data") p.remove_suffix(5);
  if (size_t dot = p.rfind('.'); dot != std::string_view::npos) p.remove_prefix(dot + 1);
  if (size_t bracket = p.find('['); bracket != std::string_view::npos) p = p.substr(0, bracket);
  return std::string(p);
}

bool IsPictureProperty(const std::string& property) {
  const std::string p = PictureProperty(property);
  for (const char* name : {"Picture", "Glyph", "Icon", "Bitmap", "Image", "Graphic"})
    if (SameText(p, name)) return true;
  return false;
}

class PictureList {
 public:
  std::vector<TFormPicture> pictures;

  void Add(const BinaryValue& v, std::string kind, std::string extension, std::string bytes, int index = -1) {
    std::string name = v.owner + "." + v.property;
    if (index >= 0) name += "." + std::to_string(index);
    name = SafeName(name) + "." + extension;
    pictures.push_back({Unique(name), std::move(kind), std::move(bytes), {}});
  }
  void Skip(const BinaryValue& v, std::string kind, std::string reason) {
    pictures.push_back({Unique(SafeName(v.owner + "." + v.property)), std::move(kind), {}, std::move(reason)});
  }

 private:
  static std::string SafeName(const std::string& name) { return SafeFileName(name); }
  std::string Unique(const std::string& name) {
    std::string candidate = name;
    for (int n = 2; !used_.insert(UpperCase(candidate)).second; ++n) candidate = name + "~" + std::to_string(n);
    return candidate;
  }
  std::set<std::string> used_;
};

void AddImageList(PictureList& out, const BinaryValue& v) {
  TCustomImageList list(nullptr);
  int width = v.listWidth, height = v.listHeight;
  // The list's own header knows its image size better than defaults do.
  if (v.bytes.size() >= 28 && StartsWith(v.bytes, "IL")) {
    const int w = uint8_t(v.bytes[10]) | uint8_t(v.bytes[11]) << 8,
              h = uint8_t(v.bytes[12]) | uint8_t(v.bytes[13]) << 8;
    if (w > 0 && h > 0) width = w, height = h;
  }
  list.SetWidth(width);
  list.SetHeight(height);
  list.SetData(v.bytes);
  if (v.bytes.empty()) return;  // a list that keeps its images elsewhere
  const int count = list.Count();
  if (count == 0) {
    if (v.bytes.size() >= 28 && StartsWith(v.bytes, "IL") && uint8_t(v.bytes[4]) == 0 && uint8_t(v.bytes[5]) == 0)
      return;  // an empty list holds no pictures
    out.Skip(v, "image list", "image list data does not decode");
    return;
  }
  for (int i = 0; i < count; ++i) out.Add(v, "image list", "png", PngBytes(list.ImageAt(i)), i);
}

void AddBitmap(PictureList& out, const BinaryValue& v) {
  TBitmap bitmap;
  bitmap.LoadFromBytes(v.bytes);
  if (bitmap.Empty()) {
    out.Skip(v, "bitmap", "empty bitmap");
    return;
  }
  // Buttons draw their glyphs (Glyph, UpGlyph, DownGlyph ...) with the
  // bottom-left pixel's colour left out.
  const std::string property = PictureProperty(v.property);
  const bool glyph = property.size() >= 5 && SameText(std::string_view(property).substr(property.size() - 5), "Glyph");
  out.Add(v, glyph ? "glyph" : "bitmap", "png", PngBytes(glyph ? MaskedGlyph(bitmap) : bitmap.Image()));
}

void AddPicture(PictureList& out, const BinaryValue& v, const std::string& className) {
  TPicture picture;
  picture.LoadFromData(v.bytes);
  std::string_view stored = std::string_view(v.bytes).substr(1 + className.size());
  std::string_view file = WithoutSizePrefix(stored);
  const std::string extension = EncodedExtension(file);
  if (extension.empty()) {
    out.Skip(v, className, "stored in a format not known (" + className + ")");
    return;
  }
  // Metafiles are kept as stored; everything else must decode to count.
  if (extension != "emf" && extension != "wmf" && picture.ToImage().isNull()) {
    out.Skip(v, className, "the " + extension + " data does not decode");
    return;
  }
  out.Add(v, className, extension, std::string(file));
}

void AddValue(PictureList& out, const BinaryValue& v) {
  const std::string_view data = v.bytes;
  if (v.property == "Bitmap") return AddImageList(out, v);
  std::string className;
  if (PictureClass(data, className)) return AddPicture(out, v, className);
  const std::string_view file = WithoutSizePrefix(data);
  if (StartsWith(file, "BM")) return AddBitmap(out, v);
  if (IsIconFile(data)) {
    if (FormIconImage(data).isNull()) return out.Skip(v, "icon", "the icon data does not decode");
    return out.Add(v, "icon", "ico", std::string(data));
  }
  // A PNG, JPEG or GIF file stored as it is (a PNG image list's images).
  if (const std::string extension = EncodedExtension(file);
      extension == "png" || extension == "jpg" || extension == "gif") {
    TEncodedGraphic graphic("");
    graphic.LoadFromBytes(data);
    if (graphic.ToImage().isNull()) return out.Skip(v, extension, "the " + extension + " data does not decode");
    return out.Add(v, extension, extension, std::string(file));
  }
  if (!IsPictureProperty(v.property)) return;  // not a picture (a tree view's items ...)
  if (data.empty()) return;
  out.Skip(v, "unknown", "data in no picture format known");
}

}  // namespace

std::vector<TFormPicture> ExtractFormPictures(std::string_view form) {
  BinaryCollector collector;
  ReadFormAny(form, collector);
  PictureList out;
  for (const BinaryValue& v : collector.values) {
    try {
      AddValue(out, v);
    } catch (const std::exception& e) {
      out.Skip(v, "unknown", e.what());
    }
  }
  return std::move(out.pictures);
}

QImage FormIconImage(std::string_view iconData) {
  if (!IsIconFile(iconData)) return {};
  TIcon icon;
  try {
    icon.LoadFromBytes(iconData);
  } catch (const std::exception&) {
    return {};
  }
  return icon.ToImage();
}

void ShowFormIcon(TCustomForm& form) {
  if (!form.Icon() || form.Icon()->Empty()) return;
  const QImage image = FormIconImage(form.Icon()->Data());
  if (image.isNull()) return;
  form.Handle()->setWindowIcon(QIcon(QPixmap::fromImage(image)));
}
