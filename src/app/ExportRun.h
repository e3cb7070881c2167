#pragma once
// The batch export: builds windows without showing anything and writes their files into a folder.
#include <string>
#include <vector>

// `marlune32 --export DIR FILE...`, `--export DIR WORKSPACE.mws [FILE...]` and `--export DIR --tool
// TOOL.mwt FILE...`: every window's data, an 800 x 400 picture of its pane and a manifest go into DIR.
int runExport(const std::string& folder, const std::vector<std::string>& arguments);
