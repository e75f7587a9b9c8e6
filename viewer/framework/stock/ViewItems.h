// The items that tree views and list views store as binary defined
// properties (`Items.Data`, `Items.NodeData`, `Items.ItemData`), decoded
// into plain records. The layouts (all little-endian):
//
//   tree "Data":      count of root nodes (int32), then each node in tree
//                     order: record size (int32), image, selected, state and
//                     overlay indexes, data pointer, child count (int32 each),
//                     text as a short string (length byte, 8-bit bytes).
//   tree "NodeData":  the same, with the text as a length byte and UTF-16
//                     characters; newer designers put a version byte first
//                     and may add an enabled flag and an expanded image
//                     index before the text length.
//   list "Data":      total size and item count (int32 each), then each
//                     item: image, state and overlay indexes, sub-item count,
//                     data pointer (int32 each), caption as a short string,
//                     and its sub-items as short strings; optionally one
//                     int32 image index per sub-item after all items.
//   list "ItemData":  a version byte, then the same with a group id before the
//                     data pointer in newer versions, and every text as a
//                     length byte with UTF-16 characters.
//
// Several layouts differ only in fields whose presence no header announces;
// a decode tries each candidate and takes the one that uses up the data
// exactly. Data that no candidate explains raises EReadError: it never
// reads out of bounds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Texts are stored form strings (core/FormStrings.h): 8-bit bytes for the
// old layouts, Unicode behind the mark for the wide ones.
struct TTreeItemRecord {
  std::string text;
  int level = 0;
  int imageIndex = -1;
  int selectedIndex = -1;
  int stateIndex = -1;
  int overlayIndex = -1;
};

struct TListItemRecord {
  std::string caption;
  std::vector<std::string> subItems;
  std::vector<int> subItemImages;  // empty when the data holds none
  int imageIndex = -1;
  int stateIndex = -1;
  int overlayIndex = -1;
};

// `wide` selects the UTF-16 layouts ("NodeData", "ItemData").
std::vector<TTreeItemRecord> DecodeTreeItems(std::string_view data, bool wide);
std::vector<TListItemRecord> DecodeListItems(std::string_view data, bool wide);
