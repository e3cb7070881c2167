#pragma once
// Who handles each command number: the tables of every target, in the chains a command travels.
#include <cstddef>
#include <string>
#include <vector>

class WindowKindTable;

// One table of a chain, by the name it gives itself.
struct CatalogueTable {
    std::string name;
    std::vector<int> ids;
    // The numbers are held to keep them from the tables after it (an overlay's refusals).
    bool refuses = false;
};

// The tables a command meets when a window of one family is active, in the order they are asked: the
// window's own tables, then the client's, the frame's and the application's. The ranges ("Overlay
// with", palettes, tools, recent files, an overlay's add and remove) are asked before the tables.
struct CommandChain {
    std::string window;
    std::vector<CatalogueTable> tables;
    // The first this many tables are the window's own; the links after the window follow.
    std::size_t windowTables = 0;
};

namespace CommandCatalogue {
// `kinds` gives the commands that make a kind, which every window asks after its own tables.
std::vector<CommandChain> chains(const WindowKindTable& kinds);
// The names of the tables that hold `id` in any chain, each once, in the order first met.
std::vector<std::string> handlersOf(const WindowKindTable& kinds, int id);
}  // namespace CommandCatalogue
