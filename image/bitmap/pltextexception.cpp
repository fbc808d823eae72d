#include "image/bitmap/pltextexception.h"

// The system's error mode (which only decides about critical-error dialogs)
// has no counterpart here, so constructing an exception changes nothing else.
PLTextException::PLTextException(int code, const char* text) : m_Code(code), m_Text(text ? text : "") {}
