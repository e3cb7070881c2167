#pragma once
#include <string>
#include <vector>

// `marlune32 --export DIR FILE...`, `--export DIR WORKSPACE.mws [FILE...]` and
// `--export DIR --tool TOOL.mwt FILE...`: builds the windows without showing anything and writes every
// window's data, an 800 x 400 picture of its pane and a manifest into DIR.
int runExport(const std::string& folder, const std::vector<std::string>& arguments);
