#pragma once
#include <string>
#include <vector>

// `marlune32 --export DIR FILE...`: opens the files without showing anything and writes every
// window's signal, ASCII export, an 800 x 400 picture of its pane and a manifest into DIR.
int runExport(const std::string& folder, const std::vector<std::string>& files);
