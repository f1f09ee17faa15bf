#pragma once
// The sixteen categories of the batch transfer, in the order of its steps and of its check
// boxes (the first eight in the left column, the other eight in the right one).

#include <string_view>
#include <vector>

#include "batch/BatchCategory.h"

namespace vorn {

const std::vector<BatchCategory>& batchCategories();

// The category of a command-line name ("group", "bar-code", ...), or nullptr.
const BatchCategory* batchCategoryNamed(std::string_view name);

}  // namespace vorn
