# Compiles the facts table and its word readings into the core: both files as they are, as raw
# string literals that facts/Facts.cpp parses on first use.
# cmake -DCOUNTRIES=data/countries.tsv -DWORDS=data/words.tsv -DOUT=FactsData.cpp -P make-facts-data.cmake
cmake_minimum_required(VERSION 3.25)
set(body "// Generated from countries.tsv and words.tsv; do not edit.\n#include <string_view>\n\nnamespace Facts {\n")
foreach(pair COUNTRIES:kCountriesTsv WORDS:kWordsTsv)
    string(REPLACE ":" ";" pair "${pair}")
    list(GET pair 0 input)
    list(GET pair 1 name)
    file(READ "${${input}}" text)
    string(FIND "${text}" ")tsv\"" found)
    if(NOT found EQUAL -1)
        message(FATAL_ERROR "${${input}} holds )tsv\", which would end the literal")
    endif()
    string(APPEND body "extern const std::string_view ${name};\n"
                       "const std::string_view ${name} = R\"tsv(${text})tsv\";\n")
endforeach()
string(APPEND body "} // namespace Facts\n")
file(WRITE "${OUT}.tmp" "${body}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
