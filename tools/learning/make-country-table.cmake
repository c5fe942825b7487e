# Writes the code -> name, continent, capital table of the facts table for the results window
# and the map.
# cmake -DTSV=data/countries.tsv -DOUT=CountryTableData.cpp -P make-country-table.cmake
cmake_minimum_required(VERSION 3.25)
file(READ "${TSV}" text)
# List separators and brackets would split or join lines.
string(REPLACE ";" "," text "${text}")
string(REPLACE "[" "(" text "${text}")
string(REPLACE "]" ")" text "${text}")
string(REPLACE "\r" "" text "${text}")
string(REPLACE "\n" ";" lines "${text}")

list(POP_FRONT lines header)
string(REPLACE "\t" ";" header "${header}")
foreach(column code name continent capital)
    list(FIND header ${column} index_${column})
    if(index_${column} LESS 0)
        message(FATAL_ERROR "${TSV}: no column ${column}")
    endif()
endforeach()

set(body "")
foreach(line IN LISTS lines)
    if(line STREQUAL "")
        continue()
    endif()
    string(REPLACE "\t" ";" fields "${line}")
    foreach(column code name continent capital)
        list(GET fields ${index_${column}} value_${column})
        string(REPLACE "\\" "\\\\" value_${column} "${value_${column}}")
        string(REPLACE "\"" "\\\"" value_${column} "${value_${column}}")
    endforeach()
    string(APPEND body "    {\"${value_code}\", \"${value_name}\", \"${value_continent}\", \"${value_capital}\"},\n")
endforeach()

file(WRITE "${OUT}.tmp" "// Generated from countries.tsv; do not edit.\n#include \"learning/CountryTable.h\"\n\n"
    "const CountryEntry kCountryEntries[] = {\n${body}};\n"
    "const std::size_t kCountryEntryCount = std::size(kCountryEntries);\n")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
