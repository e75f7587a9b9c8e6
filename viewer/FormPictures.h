// The pictures a form stores: glyphs, icons, image lists and pictures are
// binary property values inside the form. This finds them and turns each
// into a file people can open, decoding with the framework's own picture,
// bitmap, icon and image-list decoders.
//
// Every binary value is looked at; it counts as a picture by its property
// and content:
//   Bitmap (an image list's)       each image as PNG, its mask applied
//   NAME.Data, picture data        the graphic's file as stored: .bmp, .ico,
//                                  .jpg, .png, .gif, .emf/.wmf
//   Glyph.Data (a bitmap; also     PNG, the bottom-left pixel's colour
//   UpGlyph, DownGlyph ...)        transparent, as buttons draw glyphs
//   other NAME.Data bitmaps        PNG, opaque
//   Icon.Data (an icon file)       .ico as stored
//   NAME.Data, a PNG, JPEG or      the file as stored
//   GIF file by itself
// Binary values that look like none of these (a tree view's items, a
// grid's layout) are not pictures and are left out silently, except under a
// picture property (Picture, Glyph, Icon, Bitmap), where they are listed as
// skipped with the reason.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <QImage>

class TCustomForm;

struct TFormPicture {
  std::string fileName;  // Component.Property[.index].ext, safe as one file name
  std::string kind;      // "bitmap", "glyph", "icon", "image list", "png", "jpg", "gif",
                         // or the picture's graphic class
  std::string bytes;     // the file's content; empty when skipped
  std::string skipped;   // why it is not written (empty when it is)
};

// Every picture of a form in either encoding, in the order the form stores
// them. Raises what the form readers raise for a form that does not read.
std::vector<TFormPicture> ExtractFormPictures(std::string_view form);

// The image of a form's icon data (an icon file), as the framework's icon
// decoder reads it; null when it does not decode.
QImage FormIconImage(std::string_view iconData);
// Shows the form's own icon in its title bar, when it has one that decodes.
void ShowFormIcon(TCustomForm& form);
