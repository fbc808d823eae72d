// The command ids that the design view handles (menus, tool bars and
// accelerators of the layout window send them).
#pragma once

#include "platform/kernel/types.h"

namespace viewcmd {

inline constexpr UINT kEditCopy = 57634;
inline constexpr UINT kEditCut = 57635;
inline constexpr UINT kEditPaste = 57637;
inline constexpr UINT kEditSelectAll = 57642;
inline constexpr UINT kEditUndo = 57643;
inline constexpr UINT kEditRedo = 57644;
inline constexpr UINT kCopyAndDrop = 57748;
inline constexpr UINT kLockPosition = 57754;
inline constexpr UINT kSetPosition = 57757;
inline constexpr UINT kBringToFront = 57812;
inline constexpr UINT kPutToBack = 57813;
inline constexpr UINT kRefresh = 57717;
inline constexpr UINT kProperties = 57762;

inline constexpr UINT kAddLine = 57793;
inline constexpr UINT kAddBox = 57794;
inline constexpr UINT kAddEllipse = 57785;
inline constexpr UINT kAddRoundRect = 57786;
inline constexpr UINT kAddText = 57795;
inline constexpr UINT kAddParagraph = 57796;
inline constexpr UINT kAddBarcode = 57800;
inline constexpr UINT kAddHibcBarcode = 57801;
inline constexpr UINT kAddImage = 57798;

inline constexpr UINT kAlignLeft = 57773;
inline constexpr UINT kAlignRight = 57774;
inline constexpr UINT kCenterInLabel = 57775;
inline constexpr UINT kAlignTop = 57776;
inline constexpr UINT kAlignBottom = 57777;
inline constexpr UINT kVCenterInLabel = 57778;
inline constexpr UINT kAcrossEvenly = 57780;
inline constexpr UINT kDownEvenly = 57779;
inline constexpr UINT kRotate90 = 57781;
inline constexpr UINT kRotateTo0 = 57782;
inline constexpr UINT kAlignHCenter = 57759;
inline constexpr UINT kAlignVCenter = 57760;

inline constexpr UINT kZoomIn = 57806;
inline constexpr UINT kZoomOut = 57807;
inline constexpr UINT kFitInFrame = 57808;
inline constexpr UINT kOpaqueView = 57765;
inline constexpr UINT kSeeThroughView = 57766;
inline constexpr UINT kUnitInch = 57810;
inline constexpr UINT kUnitMm = 57811;
inline constexpr UINT kDelete = 57753;
inline constexpr UINT kContextMenuKey = 57707;
inline constexpr UINT kAutoArrange = 57790;
inline constexpr UINT kBorderSetup = 57803;
inline constexpr UINT kTargetDpi = 57835;
inline constexpr UINT kPrint = 57607;
inline constexpr UINT kPrintDirect = 57608;
inline constexpr UINT kPrintPreview = 57609;
inline constexpr UINT kCopyToClipboard = 57837;
inline constexpr UINT kOutputToImageFile = 57836;
inline constexpr UINT kLayoutSetup = 57809;

}  // namespace viewcmd
