#pragma once
// A command target's commands as rows of {number, when it is enabled, what it does}.
#include <algorithm>
#include <optional>
#include <span>
#include <vector>

#include "base/CommandTarget.h"

// `Subject` is what a handler serving many windows is asked about (the window a command is for).
template <class Owner, class... Subject>
struct CommandRow {
    int id = 0;
    // Null: always enabled, never checked. None: the owner does not take the command now (a kind
    // without properties, say), and the chain goes on to the next target.
    std::optional<CommandState> (*state)(const Owner& owner, const Subject&... subject) = nullptr;
    void (*run)(Owner& owner, Subject&... subject) = nullptr;
};

// A state and its action are declared together, and the table tells which numbers it handles.
template <class Owner, class... Subject>
class CommandTable {
public:
    using Row = CommandRow<Owner, Subject...>;

    // `name` says whose commands these are, in the list of every table.
    constexpr CommandTable(const char* name, std::span<const Row> rows) : name_(name), rows_(rows) {}

    const char* name() const { return name_; }

    // None when the table does not have the command or its row declines it.
    std::optional<CommandState> state(const Owner& owner, int id, const Subject&... subject) const
    {
        const Row* row = find(id);
        if (!row)
            return std::nullopt;
        return row->state ? row->state(owner, subject...) : CommandState{};
    }

    // False when the table does not have the command or its row declines it.
    bool run(Owner& owner, int id, Subject&... subject) const
    {
        const Row* row = find(id);
        if (!row || (row->state && !row->state(owner, subject...)))
            return false;
        row->run(owner, subject...);
        return true;
    }

    std::vector<int> ids() const
    {
        std::vector<int> ids;
        for (const Row& row : rows_)
            ids.push_back(row.id);
        return ids;
    }

private:
    const Row* find(int id) const
    {
        const auto found = std::find_if(rows_.begin(), rows_.end(), [id](const Row& row) { return row.id == id; });
        return found == rows_.end() ? nullptr : &*found;
    }

    const char* name_;
    std::span<const Row> rows_;
};
