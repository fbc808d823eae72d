// The sample layouts the repository ships in examples/: a shipping label, a
// product label with a picture and an asset tag with a counter, made through
// the layout document's own saving.
#pragma once

#include <string>
#include <vector>

// Writes the layouts (and the product's picture) into the folder; the paths
// of the layout files written, in order.
std::vector<std::string> WriteExampleLayouts(const std::string& folder);
