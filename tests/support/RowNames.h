// Table rows print as their names in test output and ctest's list, not as
// raw bytes. Test files bring this into the namespace where their rows live.
#pragma once

#include <ostream>
#include <string>

namespace vorsa::testing
{

template <typename Row>
requires requires(const Row &row)
{
    std::string(row.name);
}
void PrintTo(const Row &row, std::ostream *out)
{
    *out << row.name;
}

} // namespace vorsa::testing
