# Compiles a table the question tool reads (data/flag-features.tsv, data/neighbours.tsv) into it
# as a raw string literal, parsed on first use.
# cmake -DTABLE=data/flag-features.tsv -DSYMBOL=kFlagFeaturesTsv -DOUT=FlagFeaturesData.cpp
#       -P embed-tsv.cmake
cmake_minimum_required(VERSION 3.25)
file(READ "${TABLE}" text)
string(FIND "${text}" ")tsv\"" found)
if(NOT found EQUAL -1)
    message(FATAL_ERROR "${TABLE} holds )tsv\", which would end the literal")
endif()
get_filename_component(name "${TABLE}" NAME)
file(WRITE "${OUT}.tmp" "// Generated from ${name}; do not edit.\n#include <string_view>\n\n"
    "extern const std::string_view ${SYMBOL};\n"
    "const std::string_view ${SYMBOL} = R\"tsv(${text})tsv\";\n")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
