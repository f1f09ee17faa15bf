#pragma once
// The sixteen categories of the batch transfer, in the order of its steps and of its check
// boxes (the first eight in the left column, the other eight in the right one); and the VAT
// rates, which no check box offers but the command line moves with the same steps.

#include <string_view>
#include <vector>

#include "batch/BatchCategory.h"

namespace vorn {

const std::vector<BatchCategory>& batchCategories();

// The category of a command-line name ("group", "bar-code", ...), or nullptr.
const BatchCategory* batchCategoryNamed(std::string_view name);

// The VAT rates as a category of their own: no check box, no Trans.dat slot.
const BatchCategory& vatCategory();

}  // namespace vorn
