// TCustomGrid input: keyboard navigation, the mouse (selecting and sizing),
// the wheel, focus, and the in-place editor.
#include "Grids.h"

#include <algorithm>

#include <QWheelEvent>

namespace {
// How close to a line the mouse must be to size the cell before it.
constexpr int kSizingTolerance = 2;
// The smallest size a cell keeps while it is sized with the mouse.
constexpr int kMinSizedExtent = 1;
}  // namespace

// --- keyboard

void TCustomGrid::WMGetDlgCode(TWMGetDlgCode& msg) {
  TCustomControl::WMGetDlgCode(msg);  // the arrows, from the dialog-code table
  if (HasOption(goRowSelect)) return;
  if (HasOption(goTabs)) msg.Result |= DLGC_WANTTAB;
  if (HasOption(goEditing)) msg.Result |= DLGC_WANTCHARS;
}

TGridCoord TCustomGrid::KeyTarget(Word key, TShiftState shift, bool& handled) {
  handled = true;
  TGridCoord t = current_;
  const bool ctrl = InShift(shift, ssCtrl);
  const bool rowSelect = HasOption(goRowSelect);
  switch (key) {
    case VK_UP: --t.Y; break;
    case VK_DOWN: ++t.Y; break;
    case VK_LEFT:
      if (rowSelect)
        SetLeftCol(LeftCol() - 1);
      else
        --t.X;
      break;
    case VK_RIGHT:
      if (rowSelect)
        SetLeftCol(LeftCol() + 1);
      else
        ++t.X;
      break;
    case VK_PRIOR: t.Y -= std::max(1, VisibleRowCount()); break;
    case VK_NEXT: t.Y += std::max(1, VisibleRowCount()); break;
    case VK_HOME:
      if (ctrl || rowSelect) t.Y = fixedRows_;
      if (!rowSelect) t.X = fixedCols_;
      break;
    case VK_END:
      if (ctrl || rowSelect) t.Y = rowCount_ - 1;
      if (!rowSelect) t.X = colCount_ - 1;
      break;
    case VK_TAB:
      if (!HasOption(goTabs) || InShift(shift, ssAlt)) {
        handled = false;
        break;
      }
      if (InShift(shift, ssShift)) {
        if (--t.X < fixedCols_) {
          t.X = colCount_ - 1;
          if (--t.Y < fixedRows_) t = current_;
        }
      } else if (++t.X >= colCount_) {
        t.X = fixedCols_;
        if (++t.Y >= rowCount_) t = current_;
      }
      break;
    case VK_F2:
      if (HasOption(goEditing)) SetEditorMode(true);
      break;
    default: handled = false;
  }
  t.X = std::clamp(t.X, fixedCols_, std::max(fixedCols_, colCount_ - 1));
  t.Y = std::clamp(t.Y, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
  return t;
}

void TCustomGrid::KeyDown(Word& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0 || colCount_ <= fixedCols_ || rowCount_ <= fixedRows_) return;
  bool handled = false;
  const TGridCoord target = KeyTarget(key, shift, handled);
  if (!handled) return;
  if (!(target == current_)) FocusCell(target.X, target.Y, !InShift(shift, ssShift) || !HasOption(goRangeSelect));
  key = 0;
}

void TCustomGrid::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  if (key == 0 || !HasOption(goEditing)) return;
  if (key == '\r') {
    SetEditorMode(!editorMode_);
    key = 0;
  } else if (static_cast<unsigned char>(key) >= 0x20 && !editorMode_) {
    // Typing over a cell opens the editor with the typed character.
    ShowEditor();
    if (editor_ && editorMode_) {
      editor_->SetText(std::string(1, key));
      editor_->SetSelStart(1);
    }
    key = 0;
  }
}

// --- mouse

int TCustomGrid::SizingIndex(const TGridAxis& axis, int pos) const {
  int end = 0;
  for (int i = 0; i < axis.CellCount && end < axis.Extent; ++i) {
    if (i == axis.FixedCount) {
      end = axis.FixedBoundary;
      i = axis.FirstCell;
      if (i >= axis.CellCount) break;
    }
    end += axis.Size(i);
    if (pos >= end - kSizingTolerance && pos < end + axis.LineWidth + kSizingTolerance) return i;
    end += axis.LineWidth;
  }
  return -1;
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (CanFocus() && !Focused()) SetFocus();
  const TPoint org = ClientOrg();
  const int cx = x - org.X, cy = y - org.Y;
  if (button == mbLeft) {
    const TGridAxis h = HorzAxis(), v = VertAxis();
    int start = 0;
    if (HasOption(goColSizing) && cy >= 0 && cy < v.FixedBoundary && (sizingIndex_ = SizingIndex(h, cx)) >= 0 &&
        h.Start(sizingIndex_, start)) {
      gridState_ = TGridState::gsColSizing;
      sizingOrigin_ = start;
    } else if (HasOption(goRowSizing) && cx >= 0 && cx < h.FixedBoundary && (sizingIndex_ = SizingIndex(v, cy)) >= 0 &&
               v.Start(sizingIndex_, start)) {
      gridState_ = TGridState::gsRowSizing;
      sizingOrigin_ = start;
    } else {
      const TGridCoord hit = MouseCoord(cx, cy);
      if (hit.X >= fixedCols_ && hit.Y >= fixedRows_) {
        if (HasOption(goEditing) && hit == current_ && !editorMode_) {
          ShowEditor();
        } else if (InShift(shift, ssShift) && HasOption(goRangeSelect)) {
          anchor_ = hit;
          Invalidate();
        } else {
          MoveColRow(hit.X, hit.Y, true, true);
          pressRefused_ = current_.Y != hit.Y || (current_.X != hit.X && !HasOption(goRowSelect));
        }
        gridState_ = TGridState::gsSelecting;
      }
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::MouseMove(TShiftState shift, int x, int y) {
  const TPoint org = ClientOrg();
  const int cx = x - org.X, cy = y - org.Y;
  switch (gridState_) {
    case TGridState::gsSelecting: {
      const TGridCoord hit = MouseCoord(cx, cy);
      if (hit.X >= fixedCols_ && hit.Y >= fixedRows_) {
        if (HasOption(goRangeSelect)) {
          // A range grows only from a cell the press could select.
          if (!pressRefused_ && !(hit == anchor_)) {
            anchor_ = hit;
            Invalidate();
          }
        } else if (!(hit == current_)) {
          MoveColRow(hit.X, hit.Y, true, true);
        }
      }
      break;
    }
    case TGridState::gsColSizing: SetColWidths(sizingIndex_, std::max(kMinSizedExtent, cx - sizingOrigin_)); break;
    case TGridState::gsRowSizing: SetRowHeights(sizingIndex_, std::max(kMinSizedExtent, cy - sizingOrigin_)); break;
    default: break;
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const TGridState state = gridState_;
  if (state == TGridState::gsSelecting) MouseMove(shift, x, y);
  gridState_ = TGridState::gsNormal;
  sizingIndex_ = -1;
  pressRefused_ = false;
  if (state == TGridState::gsSelecting) {
    UpdateEditor();
    Click();
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomGrid::MouseWheel(int notches) {
  for (; notches > 0 && current_.Y > fixedRows_; --notches) SetRow(current_.Y - 1);
  for (; notches < 0 && current_.Y < rowCount_ - 1; ++notches) SetRow(current_.Y + 1);
}

bool TCustomGrid::WidgetEvent(QEvent* event) {
  if (event->type() == QEvent::Wheel) {
    wheelRemainder_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    if (notches && Enabled()) MouseWheel(notches);
    return true;
  }
  return TCustomControl::WidgetEvent(event);
}

// --- focus

void TCustomGrid::WMSetFocus(TWMSetFocus& msg) {
  TCustomControl::WMSetFocus(msg);
  Invalidate();
}

void TCustomGrid::WMKillFocus(TWMKillFocus& msg) {
  TCustomControl::WMKillFocus(msg);
  Invalidate();
}

// --- the in-place editor

bool TCustomGrid::CanEditShow() const { return HasOption(goEditing) && !HasOption(goRowSelect); }

std::string TCustomGrid::GetEditText(int col, int row) const { return CellText(col, row); }

void TCustomGrid::SetEditText(int col, int row, const std::string& value) {
  (void)col;
  (void)row;
  (void)value;
}

void TCustomGrid::SetEditorMode(bool v) {
  if (v)
    ShowEditor();
  else
    HideEditor();
}

void TCustomGrid::ShowEditor() {
  if (!CanEditShow() || current_.X < fixedCols_ || current_.Y < fixedRows_) return;
  if (!editor_) {
    editor_ = new TInplaceEdit(this);
    editor_->SetParent(this);
  }
  editor_->original_ = GetEditText(current_.X, current_.Y);
  editor_->SetText(editor_->original_);
  editorMode_ = true;
  UpdateEditor();
  if (editor_->Visible() && editor_->CanFocus()) editor_->SetFocus();
}

void TCustomGrid::HideEditor() {
  if (!editorMode_) return;
  editorMode_ = false;
  if (!editor_) return;
  const bool hadFocus = editor_->Focused();
  editor_->SetVisible(false);
  if (hadFocus && CanFocus()) SetFocus();
}

// Keeps the editor over the current cell while it is open.
void TCustomGrid::UpdateEditor() {
  if (!editor_ || !editorMode_) return;
  TRect r = CellRect(current_.X, current_.Y);
  if (r.IsEmpty()) {
    editor_->SetVisible(false);
    return;
  }
  const TPoint org = ClientOrg();
  editor_->SetBounds(r.Left + org.X, r.Top + org.Y, r.Width(), r.Height());
  editor_->SetVisible(true);
}

const TClassInfo& TInplaceEdit::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TInplaceEdit>("TInplaceEdit", &TCustomEdit::StaticClassInfo()).Build();
  return info;
}

TInplaceEdit::TInplaceEdit(TCustomGrid* grid) : TCustomEdit(grid), grid_(grid) {
  SetBorderStyle(ebsNone);
  SetParentCtl3D(false);
  SetCtl3D(false);
  SetTabStop(false);
  SetVisible(false);
}

void TInplaceEdit::WMGetDlgCode(TWMGetDlgCode& msg) {
  TCustomEdit::WMGetDlgCode(msg);
  msg.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (grid_->HasOption(goTabs)) msg.Result |= DLGC_WANTTAB;
}

void TInplaceEdit::Change() {
  TCustomEdit::Change();
  if (grid_->EditorMode()) grid_->SetEditText(grid_->Col(), grid_->Row(), Text());
}

// The keys that move the current cell close the box and go to the grid.
void TInplaceEdit::KeyDown(Word& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  switch (key) {
    case VK_ESCAPE:
      SetText(original_);
      grid_->HideEditor();
      key = 0;
      break;
    case VK_RETURN:
      grid_->HideEditor();
      key = 0;
      break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_TAB:
      grid_->HideEditor();
      grid_->KeyDown(key, shift);
      break;
    default: break;
  }
}

void TInplaceEdit::KeyPress(char& key) {
  TCustomEdit::KeyPress(key);
  if (key == '\r' || key == 0x1B) key = 0;  // handled in KeyDown; no beep
}
