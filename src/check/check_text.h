// The words of a check's report, shared by tabvex-cli's lines and the window's table.
#pragma once

#include <string>
#include <vector>

#include "check/source_check.h"

namespace tabvex::check {

// Each thing that would keep the table from arriving whole, in words.
std::vector<std::string> TableProblems(const TableCheck& check);

// "arrives whole" (with the sheets it continues on), else the problems.
std::string TableOutlook(const TableCheck& check);

// "[T] 70,000 rows, becomes sheet [S]: ..." as one line.
std::string TableCheckLine(const TableCheck& check);

// The report's last line: how many tables would arrive whole, and which would not.
std::string CheckSummaryLine(const CheckReport& report);

}  // namespace tabvex::check
