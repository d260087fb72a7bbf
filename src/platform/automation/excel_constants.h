// Enumerated values of the object model's properties and arguments, with the
// numbers callers pass for them.
#pragma once

namespace tabvex::automation {

// Range.HorizontalAlignment
inline constexpr int xlHAlignGeneral = 1;
inline constexpr int xlHAlignLeft = -4131;
inline constexpr int xlHAlignCenter = -4108;
inline constexpr int xlHAlignRight = -4152;
inline constexpr int xlHAlignFill = 5;
inline constexpr int xlHAlignJustify = -4130;
inline constexpr int xlHAlignCenterAcrossSelection = 7;

// Range.Borders(index)
inline constexpr int xlEdgeLeft = 7;
inline constexpr int xlEdgeTop = 8;
inline constexpr int xlEdgeBottom = 9;
inline constexpr int xlEdgeRight = 10;
inline constexpr int xlInsideVertical = 11;
inline constexpr int xlInsideHorizontal = 12;

// Border.LineStyle
inline constexpr int xlContinuous = 1;
inline constexpr int xlLineStyleNone = -4142;
inline constexpr int xlDash = -4115;
inline constexpr int xlDot = -4118;
inline constexpr int xlDouble = -4119;
inline constexpr int xlDashDot = 4;
inline constexpr int xlDashDotDot = 5;
inline constexpr int xlSlantDashDot = 13;

// Interior.ColorIndex: none, or a palette entry from 1 to 56.
inline constexpr int xlColorIndexNone = -4142;
inline constexpr int xlColorIndexAutomatic = -4105;  // a system colour, read only

// Workbook.SaveAs FileFormat: the Excel 97-2003 workbook, under its two numbers.
inline constexpr int xlWorkbookNormal = -4143;
inline constexpr int xlExcel8 = 56;

// Workbook.SaveAs AccessMode
inline constexpr int xlNoChange = 1;
inline constexpr int xlShared = 2;
inline constexpr int xlExclusive = 3;

}  // namespace tabvex::automation
