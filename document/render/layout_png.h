// A layout file's label rendered headless into a PNG file.
#pragma once

#include <string>
#include <vector>

// Opens the layout file (a version store or a bare label stream) and writes
// its label as a PNG at the resolution (0: the layout's own horizontal
// resolution). Pictures that fields name by relative paths are looked for
// beside the layout file. 1 when the PNG was written; 0 when the layout could
// not be opened or rendered, or the file not written (none is left).
// report, when given, receives what a person should know: on 0 what failed
// ("cannot be opened: not a layout file"...), on 1 the pictures the fields
// name that could not be read and were drawn as placeholders, one a line.
int RenderLayoutFileToPng(const char* layoutPath, const char* pngPath, int resolution,
                          std::vector<std::string>* report = nullptr);
