#pragma once

#include "facts/FactsTable.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The facts table as compiled into the program from data/countries.tsv and data/words.tsv,
// parsed on first use. The texts it hands out stay valid for the life of the program.
namespace Facts {

// data/countries.tsv and data/words.tsv as compiled in.
extern const std::string_view kCountriesTsv;
extern const std::string_view kWordsTsv;

// The whole table, for the functions that take one (AnswerFold::AcceptedForms, ReadingsOf).
const Table& CompiledTable();

// Every country in file order.
std::span<const Country> Countries();

// Null for a code the table does not hold.
const Country* FindCountry(std::string_view code);

// ReadingsOf over the compiled table.
std::vector<std::string> Readings(std::string_view text);

// Why the compiled table is incomplete; empty when it was read whole.
std::string_view Error();

} // namespace Facts
