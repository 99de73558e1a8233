#pragma once

#include "Page.h"

#include <memory>
#include <vector>

namespace demo {

// Every page of the workbench, in the order the page selector shows them.
std::vector<std::unique_ptr<Page>> createPages();

} // namespace demo
