#include "platform/jet/excel/excel_date_serial.h"

namespace tabvex::jet::excel {
namespace {

// 1904-01-01 as a Jet day number.
constexpr double k1904Start = 1462;
// Excel's 1900-03-01, the first day both count alike; Excel's 60 is its 1900-02-29.
constexpr double kExcelAgrees = 61;

}  // namespace

double JetSerialFromExcel(double serial, DateSystem system) {
    if (system == DateSystem::Excel1904) return serial + k1904Start;
    return serial >= 1 && serial < kExcelAgrees - 1 ? serial + 1 : serial;
}

double ExcelSerialFromJet(double serial, DateSystem system) {
    if (system == DateSystem::Excel1904) return serial - k1904Start;
    return serial >= 2 && serial < kExcelAgrees ? serial - 1 : serial;
}

}  // namespace tabvex::jet::excel
