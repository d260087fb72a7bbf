// Dispatch identifiers of the members of the spreadsheet object model, as the
// server publishes them in its type library. Calls here are early-bound C++
// calls; the identifiers name each member so that callers written against the
// late-bound interface can be checked against the member they meant.
#pragma once

namespace tabvex::automation::dispid {

using DispatchId = int;

inline constexpr DispatchId kValue = 6;
inline constexpr DispatchId kInteriorColorIndex = 97;
inline constexpr DispatchId kFontSize = 104;
inline constexpr DispatchId kName = 110;
inline constexpr DispatchId kDelete = 117;
inline constexpr DispatchId kCount = 118;
inline constexpr DispatchId kBorderLineStyle = 119;
inline constexpr DispatchId kRangeInterior = 129;
inline constexpr DispatchId kHorizontalAlignment = 136;
inline constexpr DispatchId kRangeFont = 146;
inline constexpr DispatchId kItem = 170;
inline constexpr DispatchId kFontStyle = 177;
inline constexpr DispatchId kAdd = 181;
inline constexpr DispatchId kRange = 197;
inline constexpr DispatchId kRangeColumnWidth = 242;
inline constexpr DispatchId kRangeEntireRow = 247;
inline constexpr DispatchId kClose = 277;
inline constexpr DispatchId kSave = 283;
inline constexpr DispatchId kSaveAs = 284;
inline constexpr DispatchId kWorkbookSaved = 298;
inline constexpr DispatchId kApplicationQuit = 302;
inline constexpr DispatchId kActivate = 304;
inline constexpr DispatchId kApplicationDisplayAlerts = 343;
inline constexpr DispatchId kWorksheetUsedRange = 412;
inline constexpr DispatchId kRangeBorders = 435;
inline constexpr DispatchId kWorkbookNames = 442;
inline constexpr DispatchId kWorkbookSheets = 485;
inline constexpr DispatchId kApplicationVisible = 558;
inline constexpr DispatchId kApplicationWorkbooks = 572;
inline constexpr DispatchId kWindowFreezePanes = 650;
inline constexpr DispatchId kWindowSplitRow = 660;
inline constexpr DispatchId kWorkbooksOpen = 682;
inline constexpr DispatchId kApplicationActiveWindow = 759;
inline constexpr DispatchId kWorkbookExclusiveAccess = 1168;
inline constexpr DispatchId kWorkbookMultiUserEditing = 1169;

}  // namespace tabvex::automation::dispid
