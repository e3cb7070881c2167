#pragma once
// Turns a filter list "Name|*.a;*.b|Other|*.c|" into Qt's "Name (*.a *.b);;Other (*.c)".
#include <string>

// A name that already ends with its own "(...)" keeps only the patterns that follow it.
std::string qtFileFilter(const std::string& filter);
