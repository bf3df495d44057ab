# Turns data/church-tax/church-tax.tsv into the C++ table behind shippedChurchTaxRows().
#   cmake -DSOURCE=<tsv> -DOUTPUT=<cpp> -P church_tax_source.cmake
# Rates are written as hundredths of a percent; a malformed row stops the build.

file(STRINGS "${SOURCE}" lines ENCODING UTF-8)

# "9" -> 900, "5.5" -> 550, "2.75" -> 275, "-" -> 0
function(hundredths text lineno out)
  if(text STREQUAL "-")
    set(${out} 0 PARENT_SCOPE)
    return()
  endif()
  if(NOT text MATCHES "^([0-9]+)(\\.([0-9][0-9]?))?$")
    message(FATAL_ERROR "${SOURCE}:${lineno}: not a rate: '${text}'")
  endif()
  set(whole "${CMAKE_MATCH_1}")
  set(fraction "${CMAKE_MATCH_3}")
  string(LENGTH "${fraction}" digits)
  if(digits EQUAL 0)
    set(fraction 0)
  elseif(digits EQUAL 1)
    math(EXPR fraction "${fraction} * 10")
  else()
    math(EXPR fraction "1${fraction} - 100")
  endif()
  math(EXPR value "${whole} * 100 + ${fraction}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

set(rows "")
set(count 0)
set(lineno 0)
set(header_seen FALSE)
foreach(line IN LISTS lines)
  math(EXPR lineno "${lineno} + 1")
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  string(REPLACE "\t" ";" cells "${line}")
  list(LENGTH cells n)
  if(NOT n EQUAL 7)
    message(FATAL_ERROR "${SOURCE}:${lineno}: expected 7 tab-separated columns, found ${n}")
  endif()
  if(NOT header_seen)
    if(NOT line STREQUAL "region\tland\tyear\trate\tflat\tcap\tcap_payroll")
      message(FATAL_ERROR "${SOURCE}:${lineno}: unexpected header")
    endif()
    set(header_seen TRUE)
    continue()
  endif()
  list(GET cells 0 region)
  list(GET cells 2 year)
  list(GET cells 3 rate)
  list(GET cells 4 flat)
  list(GET cells 5 cap)
  list(GET cells 6 payroll)
  if(NOT region MATCHES "^[0-9]+$" OR region GREATER 17)
    message(FATAL_ERROR "${SOURCE}:${lineno}: region must be 0 to 17")
  endif()
  if(NOT year MATCHES "^20[0-9][0-9]$")
    message(FATAL_ERROR "${SOURCE}:${lineno}: not a year: '${year}'")
  endif()
  hundredths("${rate}" ${lineno} rate_h)
  hundredths("${flat}" ${lineno} flat_h)
  hundredths("${cap}" ${lineno} cap_h)
  if(payroll STREQUAL "yes")
    set(payroll_b true)
    if(cap_h EQUAL 0)
      message(FATAL_ERROR "${SOURCE}:${lineno}: capping in payroll needs a capping rate")
    endif()
  elseif(payroll STREQUAL "no")
    set(payroll_b false)
  else()
    message(FATAL_ERROR "${SOURCE}:${lineno}: cap_payroll must be yes or no")
  endif()
  string(APPEND rows "    {${year}, ${region}, {${rate_h}, ${flat_h}, ${cap_h}, ${payroll_b}}},\n")
  math(EXPR count "${count} + 1")
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${SOURCE}: no rows")
endif()

set(content "// Generated from data/church-tax/church-tax.tsv by tools/church_tax_source.cmake. Do not edit.
#include \"law/church_tax.h\"

namespace varemo {
namespace {
constexpr ShippedChurchTaxRow kRows[] = {
${rows}};
} // namespace

std::span<const ShippedChurchTaxRow> shippedChurchTaxRows() { return kRows; }

} // namespace varemo
")
file(WRITE "${OUTPUT}" "${content}")
