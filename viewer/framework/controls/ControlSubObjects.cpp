// The sub-objects controls publish: size constraints, margins and padding.
#include <algorithm>

#include "Controls.h"

// ---------------------------------------------------------------------------
// Sub-objects

const TClassInfo& TSizeConstraints::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TSizeConstraints>("TSizeConstraints", &TPersistent::StaticClassInfo())
          .Integer("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight, 0)
          .Integer("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth, 0)
          .Integer("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight, 0)
          .Integer("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth, 0)
          .Build();
  return info;
}

void TSizeConstraints::SetMinWidth(int v) {
  if (v == minWidth_) return;
  minWidth_ = std::max(0, v);
  if (maxWidth_ > 0 && maxWidth_ < minWidth_) maxWidth_ = minWidth_;
  Changed();
}
void TSizeConstraints::SetMinHeight(int v) {
  if (v == minHeight_) return;
  minHeight_ = std::max(0, v);
  if (maxHeight_ > 0 && maxHeight_ < minHeight_) maxHeight_ = minHeight_;
  Changed();
}
void TSizeConstraints::SetMaxWidth(int v) {
  if (v == maxWidth_) return;
  maxWidth_ = std::max(0, v);
  if (maxWidth_ > 0 && minWidth_ > maxWidth_) minWidth_ = maxWidth_;
  Changed();
}
void TSizeConstraints::SetMaxHeight(int v) {
  if (v == maxHeight_) return;
  maxHeight_ = std::max(0, v);
  if (maxHeight_ > 0 && minHeight_ > maxHeight_) minHeight_ = maxHeight_;
  Changed();
}
void TSizeConstraints::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TSizeConstraints*>(&source)) {
    minWidth_ = s->minWidth_;
    minHeight_ = s->minHeight_;
    maxWidth_ = s->maxWidth_;
    maxHeight_ = s->maxHeight_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}
void TSizeConstraints::Apply(int& width, int& height) const {
  if (minWidth_ > 0 && width < minWidth_) width = minWidth_;
  if (maxWidth_ > 0 && width > maxWidth_) width = maxWidth_;
  if (minHeight_ > 0 && height < minHeight_) height = minHeight_;
  if (maxHeight_ > 0 && height > maxHeight_) height = maxHeight_;
}

const TClassInfo& TMargins::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TMargins>("TMargins", &TPersistent::StaticClassInfo())
          .Integer("Left", &TMargins::Left, &TMargins::SetLeft, 3)
          .Integer("Top", &TMargins::Top, &TMargins::SetTop, 3)
          .Integer("Right", &TMargins::Right, &TMargins::SetRight, 3)
          .Integer("Bottom", &TMargins::Bottom, &TMargins::SetBottom, 3)
          .Build();
  return info;
}
void TMargins::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TMargins*>(&source)) {
    left_ = s->left_;
    top_ = s->top_;
    right_ = s->right_;
    bottom_ = s->bottom_;
    if (OnChange) OnChange();
    return;
  }
  TPersistent::Assign(source);
}

const TClassInfo& TPadding::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TPadding>("TPadding", &TMargins::StaticClassInfo())
          .Publish("Left", 0)
          .Publish("Top", 0)
          .Publish("Right", 0)
          .Publish("Bottom", 0)
          .Build();
  return info;
}
