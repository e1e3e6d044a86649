// Counts the descriptors open in this process, so that a test can tell
// whether an operation closed every file it opened.
#pragma once

#include <cstddef>

namespace vorsa::testing
{

std::size_t OpenDescriptorCount();

} // namespace vorsa::testing
