#include "platform/odbc/xls_driver/parameter_bindings.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "platform/odbc/xls_driver/c_data.h"

namespace tabvex::odbc::xls {
namespace {

const char* AddressAt(const void* base, std::size_t bytes) {
    return static_cast<const char*>(base) + bytes;
}

}  // namespace

SQLRETURN ParameterBindings::Bind(SQLUSMALLINT number, SQLSMALLINT direction, ParameterBinding binding,
                                  Diagnostics& diagnostics) {
    if (number == 0) {
        diagnostics.Add("07009", "Parameter 0 does not exist: parameters are numbered from 1.");
        return SQL_ERROR;
    }
    if (direction != SQL_PARAM_INPUT) {
        const bool known = direction == SQL_PARAM_INPUT_OUTPUT || direction == SQL_PARAM_OUTPUT ||
                           direction == SQL_PARAM_INPUT_OUTPUT_STREAM || direction == SQL_PARAM_OUTPUT_STREAM;
        diagnostics.Add(known ? "HYC00" : "HY105", "Only input parameters are supported.");
        return SQL_ERROR;
    }
    if (binding.cType == SQL_C_DEFAULT) binding.cType = DefaultCType(binding.sqlType);
    if (!IsSupportedParameterCType(binding.cType)) {
        diagnostics.Add("HY003", "Parameter " + std::to_string(number) + ": the C type " +
                                     std::to_string(binding.cType) + " is not supported.");
        return SQL_ERROR;
    }
    if (const char* refusal = RefusalOfParameterSqlType(binding.sqlType)) {
        diagnostics.Add(refusal, "Parameter " + std::to_string(number) + ": the SQL type " +
                                     std::to_string(binding.sqlType) + " is not supported.");
        return SQL_ERROR;
    }
    if (binding.bufferLength < 0) {
        diagnostics.Add("HY090", "The buffer length is negative.");
        return SQL_ERROR;
    }
    bindings_[number] = binding;
    return SQL_SUCCESS;
}

const ParameterBinding* ParameterBindings::Find(std::size_t number) const {
    if (number > std::numeric_limits<SQLUSMALLINT>::max()) return nullptr;
    auto found = bindings_.find(static_cast<SQLUSMALLINT>(number));
    return found == bindings_.end() ? nullptr : &found->second;
}

std::size_t ParameterBindings::FirstUnbound(std::size_t count) const {
    for (std::size_t number = 1; number <= count; ++number) {
        if (!Find(number)) return number;
    }
    return 0;
}

ParameterValue ParameterBindings::ValueOf(SQLUSMALLINT number, SQLULEN set) const {
    const ParameterBinding& binding = bindings_.at(number);
    const bool byColumn = bindType == SQL_PARAM_BIND_BY_COLUMN;
    const std::size_t fixedSize = FixedCTypeSize(binding.cType);
    const std::size_t valueStride = byColumn ? (fixedSize ? fixedSize : static_cast<std::size_t>(binding.bufferLength))
                                             : bindType;
    const std::size_t indicatorStride = byColumn ? sizeof(SQLLEN) : bindType;
    const std::size_t offset = bindOffset ? *bindOffset : 0;

    ParameterValue value;
    value.cType = binding.cType;
    value.sqlType = binding.sqlType;
    value.bufferLength = binding.bufferLength;
    if (binding.buffer) value.data = AddressAt(binding.buffer, offset + set * valueStride);
    if (binding.indicator) {
        SQLLEN indicator = 0;
        std::memcpy(&indicator, AddressAt(binding.indicator, offset + set * indicatorStride), sizeof indicator);
        value.indicator = indicator;
    }
    return value;
}

void ParameterBindings::ReportStart() const {
    if (processed) *processed = 0;
    if (statusArray) std::fill(statusArray, statusArray + setSize, SQLUSMALLINT{SQL_PARAM_UNUSED});
}

void ParameterBindings::ReportSet(SQLULEN set, SQLRETURN outcome) const {
    if (processed) *processed = set + 1;
    if (!statusArray) return;
    statusArray[set] = outcome == SQL_ERROR                 ? SQL_PARAM_ERROR
                       : outcome == SQL_SUCCESS_WITH_INFO ? SQL_PARAM_SUCCESS_WITH_INFO
                                                          : SQL_PARAM_SUCCESS;
}

}  // namespace tabvex::odbc::xls
