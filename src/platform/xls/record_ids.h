// Identifiers of the BIFF8 records the engine reads or writes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tabvex::xls::rid {

constexpr uint16_t kFormula = 0x0006, kEof = 0x000A, kCalcCount = 0x000C, kCalcMode = 0x000D,
                   kPrecision = 0x000E, kRefMode = 0x000F, kDelta = 0x0010, kIteration = 0x0011,
                   kProtect = 0x0012, kPassword = 0x0013, kSelection = 0x001D, kDateMode = 0x0022,
                   kExternName = 0x0023, kFilePass = 0x002F, kFont = 0x0031, kContinue = 0x003C,
                   kWindow1 = 0x003D, kBackup = 0x0040, kPane = 0x0041, kCodePage = 0x0042,
                   kDefColWidth = 0x0055, kXct = 0x0059, kCrn = 0x005A, kWriteAccess = 0x005C,
                   kExternSheet = 0x0017, kBoundSheet = 0x0085, kMms = 0x00C1, kFnGroupCount = 0x009C,
                   kHCenter = 0x0083, kVCenter = 0x0084, kPrintHeaders = 0x002A, kPrintGridlines = 0x002B,
                   kGuts = 0x0080, kSaveRecalc = 0x005F, kName = 0x0018, kWindowProtect = 0x0019, kColInfo = 0x007D,
                   kWsBool = 0x0081, kGridSet = 0x0082, kCountry = 0x008C, kHideObj = 0x008D,
                   kPalette = 0x0092, kMulRk = 0x00BD, kMulBlank = 0x00BE, kRString = 0x00D6,
                   kDbCell = 0x00D7, kBookBool = 0x00DA, kXf = 0x00E0, kInterfaceHdr = 0x00E1,
                   kInterfaceEnd = 0x00E2, kSst = 0x00FC, kLabelSst = 0x00FD, kExtSst = 0x00FF,
                   kUseSelfs = 0x0160, kDsf = 0x0161, kSupBook = 0x01AE, kProt4Rev = 0x01AF,
                   kProt4RevPass = 0x01BC, kRefreshAll = 0x01B7, kDimensions = 0x0200, kBlank = 0x0201,
                   kNumber = 0x0203, kLabel = 0x0204, kBoolErr = 0x0205, kString = 0x0207, kRow = 0x0208,
                   kIndex = 0x020B, kArray = 0x0221, kDefaultRowHeight = 0x0225, kTable = 0x0236,
                   kWindow2 = 0x023E, kRk = 0x027E, kStyle = 0x0293, kFormat = 0x041E,
                   kShrFmla = 0x04BC, kBof = 0x0809, kScl = 0x00A0, kPlv = 0x088B,
                   kConditionalFormat = 0x01B1, kValidation = 0x01BE, kChartLink = 0x1051,
                   kNote = 0x001C, kObj = 0x005D, kImageData = 0x007F, kMergedCells = 0x00E5,
                   kBitmap = 0x00E9, kMsoDrawing = 0x00EC, kCondFmt = 0x01B0, kValidations = 0x01B2,
                   kTxo = 0x01B6, kHyperlink = 0x01B8;

// The largest record body BIFF8 allows; longer data goes on in CONTINUE records.
constexpr size_t kMaxRecordData = 8224;

}  // namespace tabvex::xls::rid
