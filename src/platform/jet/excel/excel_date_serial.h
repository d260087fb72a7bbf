// Excel's day numbers and Jet's. Jet counts days from 1899-12-30. Excel counts from
// 1900-01-00 and takes 1900 for a leap year, so the two agree from 1900-03-01 on and
// Excel is one day behind before; a 1904 workbook counts from 1904-01-01 instead.
#pragma once

namespace tabvex::jet::excel {

enum class DateSystem { Excel1900, Excel1904 };

// The Jet day number of the date and time a cell shows for its number.
double JetSerialFromExcel(double serial, DateSystem system);
// The cell number that shows the date and time of a Jet day number.
double ExcelSerialFromJet(double serial, DateSystem system);

}  // namespace tabvex::jet::excel
