#include "DialogCodes.h"

#include <array>

#include "Messages.h"
#include "core/TypInfo.h"

namespace {

struct TDialogCodeRow {
  std::string_view className;
  uint32_t code;
};

constexpr uint32_t kEditKeys = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;

// One row per base class; descendants inherit the row of their nearest
// named ancestor. A memo adds Tab when WantTabs is set and drops Return and
// Escape when WantReturns is not (TCustomMemo::WMGetDlgCode). List boxes,
// combo boxes, tree and list views take characters for their incremental
// search, as the system's own controls do; outlines take characters for
// their +, - and * keys; grids take only the arrows unless their options ask
// for more (TCustomGrid::WMGetDlgCode).
constexpr std::array kDialogCodes{
    TDialogCodeRow{"TCustomMemo", kEditKeys | DLGC_WANTALLKEYS},
    TDialogCodeRow{"TCustomEdit", kEditKeys},
    TDialogCodeRow{"TCustomListBox", DLGC_WANTARROWS | DLGC_WANTCHARS},
    TDialogCodeRow{"TCustomComboBox", DLGC_WANTARROWS | DLGC_WANTCHARS},
    TDialogCodeRow{"TTreeView", DLGC_WANTARROWS | DLGC_WANTCHARS},
    TDialogCodeRow{"TListView", DLGC_WANTARROWS | DLGC_WANTCHARS},
    TDialogCodeRow{"TCustomGrid", DLGC_WANTARROWS},
    TDialogCodeRow{"TCustomOutline", DLGC_WANTARROWS | DLGC_WANTCHARS},
    TDialogCodeRow{"TScrollBar", DLGC_WANTARROWS},
    TDialogCodeRow{"TTrackBar", DLGC_WANTARROWS},
    TDialogCodeRow{"TButton", DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
    TDialogCodeRow{"TRadioButton", DLGC_BUTTON | DLGC_RADIOBUTTON},
    TDialogCodeRow{"TButtonControl", DLGC_BUTTON},
};

}  // namespace

uint32_t DialogCodeOfClassName(std::string_view className) {
  for (const auto& row : kDialogCodes)
    if (row.className == className) return row.code;
  return 0;
}

uint32_t StockDialogCode(const TClassInfo& cls) {
  for (const TClassInfo* c = &cls; c; c = c->Parent())
    if (const uint32_t code = DialogCodeOfClassName(c->Name())) return code;
  return 0;
}
