// Column widths between the characters the object model speaks in and the
// 1/256ths of a character a workbook file stores. The stored width includes the
// cell margins: 5 pixels beside the 7-pixel digits of the standard 10-point font,
// so 8.43 characters are stored as 2340.
#pragma once

namespace tabvex::automation {

int ColumnWidthUnits(double characters);
double ColumnWidthCharacters(int units);  // to two decimals

}  // namespace tabvex::automation
