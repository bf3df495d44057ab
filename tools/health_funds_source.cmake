# Turns data/health-funds/funds.tsv into the C++ table behind shippedFundRows().
#   cmake -DSOURCE=<tsv> -DOUTPUT=<cpp> -P health_funds_source.cmake
# Rates are written as hundredths of a percent. A malformed row, a rate outside the entry bounds of the
# fund list, or a fund whose rows do not start in January and ascend by month stops the build.

file(STRINGS "${SOURCE}" lines ENCODING UTF-8)

# "14.6" -> 1460, "0.39" -> 39, "1" -> 100
function(hundredths text where out)
  if(NOT text MATCHES "^([0-9]+)(\\.([0-9][0-9]?))?$")
    message(FATAL_ERROR "${where}: not a rate: '${text}'")
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

function(check_bounds value low high what where)
  if(value LESS low OR value GREATER high)
    message(FATAL_ERROR "${where}: ${what} ${value} outside ${low}..${high} (hundredths of a percent)")
  endif()
endfunction()

function(status_name text where out)
  if(text STREQUAL "verified")
    set(${out} Verified PARENT_SCOPE)
  elseif(text STREQUAL "inferred")
    set(${out} Inferred PARENT_SCOPE)
  elseif(text STREQUAL "average")
    set(${out} Average PARENT_SCOPE)
  elseif(text STREQUAL "unknown")
    set(${out} Unknown PARENT_SCOPE)
  elseif(text STREQUAL "n/a")
    set(${out} NotApplicable PARENT_SCOPE)
  else()
    message(FATAL_ERROR "${where}: unknown status '${text}'")
  endif()
endfunction()

set(rows "")
set(lineno 0)
set(header_seen FALSE)
set(last_key "")
set(last_month 0)
set(last_name "")
foreach(line IN LISTS lines)
  math(EXPR lineno "${lineno} + 1")
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  if(NOT header_seen)
    set(header_seen TRUE)
    continue()
  endif()
  set(where "${SOURCE}:${lineno}")
  # The source column may hold semicolons; only the first twelve columns are used.
  string(REPLACE ";" "," line "${line}")
  string(REPLACE "\t" ";" fields "${line}")
  list(LENGTH fields count)
  if(NOT count EQUAL 13)
    message(FATAL_ERROR "${where}: expected 13 columns, found ${count}")
  endif()
  list(GET fields 0 year)
  list(GET fields 1 position)
  list(GET fields 2 month)
  list(GET fields 3 name)
  if(NOT year MATCHES "^20[0-9][0-9]$")
    message(FATAL_ERROR "${where}: bad year '${year}'")
  endif()
  if(NOT position MATCHES "^[0-9]+$" OR position GREATER 35)
    message(FATAL_ERROR "${where}: position '${position}' outside 0..35")
  endif()
  if(NOT month MATCHES "^[0-9]+$" OR month LESS 1 OR month GREATER 12)
    message(FATAL_ERROR "${where}: month '${month}' outside 1..12")
  endif()
  string(LENGTH "${name}" name_length)
  if(name_length EQUAL 0 OR name_length GREATER 35 OR name MATCHES "[\"\\\\]")
    message(FATAL_ERROR "${where}: the name must have 1 to 35 characters and no quote or backslash")
  endif()
  set(key "${year}/${position}")
  if(key STREQUAL last_key)
    if(NOT month GREATER last_month)
      message(FATAL_ERROR "${where}: months of a fund must ascend")
    endif()
    if(NOT name STREQUAL last_name)
      message(FATAL_ERROR "${where}: a fund keeps its name through the year")
    endif()
  elseif(NOT month EQUAL 1)
    message(FATAL_ERROR "${where}: the first row of a fund and year must start in month 1")
  endif()
  set(last_key "${key}")
  set(last_month ${month})
  set(last_name "${name}")

  list(GET fields 4 general_text)
  list(GET fields 5 reduced_text)
  list(GET fields 6 additional_text)
  list(GET fields 7 u1_text)
  list(GET fields 8 u2_text)
  hundredths("${general_text}" "${where}" general)
  hundredths("${reduced_text}" "${where}" reduced)
  hundredths("${additional_text}" "${where}" additional)
  hundredths("${u1_text}" "${where}" u1)
  hundredths("${u2_text}" "${where}" u2)
  # The same bounds as the entry fields of the fund list (law/fund_table.h).
  check_bounds(${general} 1000 1605 "general rate" "${where}")
  check_bounds(${reduced} 1000 1605 "reduced rate" "${where}")
  check_bounds(${additional} 0 500 "additional rate" "${where}")
  check_bounds(${u1} 0 1000 "U1 rate" "${where}")
  check_bounds(${u2} 0 300 "U2 rate" "${where}")

  list(GET fields 9 s_additional)
  list(GET fields 10 s_u1)
  list(GET fields 11 s_u2)
  status_name("${s_additional}" "${where}" st_additional)
  status_name("${s_u1}" "${where}" st_u1)
  status_name("${s_u2}" "${where}" st_u2)

  string(APPEND rows "    {${year}, ${position}, ${month}, \"${name}\", {${general}, ${reduced}, ${additional}, ${u1}, ${u2}}, "
                     "{FundValueStatus::${st_additional}, FundValueStatus::${st_u1}, FundValueStatus::${st_u2}}},\n")
endforeach()

set(content "// Generated from data/health-funds/funds.tsv by tools/health_funds_source.cmake. Do not edit.
#include \"law/fund_table.h\"

namespace varemo {

const std::vector<ShippedFundRow>& shippedFundRows() {
    static const std::vector<ShippedFundRow> rows = {
${rows}    };
    return rows;
}

} // namespace varemo
")
file(WRITE "${OUTPUT}.tmp" "${content}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
