# Compiles the flag features table (data/flag-features.tsv, written by tools/make-flags.sh) into
# the question tool as a raw string literal that FlagLikeness.cpp parses on first use.
# cmake -DFEATURES=data/flag-features.tsv -DOUT=FlagFeaturesData.cpp -P make-flag-features.cmake
cmake_minimum_required(VERSION 3.25)
file(READ "${FEATURES}" text)
string(FIND "${text}" ")tsv\"" found)
if(NOT found EQUAL -1)
    message(FATAL_ERROR "${FEATURES} holds )tsv\", which would end the literal")
endif()
file(WRITE "${OUT}.tmp" "// Generated from flag-features.tsv; do not edit.\n#include <string_view>\n\n"
    "extern const std::string_view kFlagFeaturesTsv;\n"
    "const std::string_view kFlagFeaturesTsv = R\"tsv(${text})tsv\";\n")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
