#pragma once
// A command target's commands as rows of {number, when it is enabled, what it does}.
#include <algorithm>
#include <optional>
#include <span>
#include <vector>

#include "base/CommandTarget.h"

template <class Owner>
struct CommandRow {
    int id = 0;
    // Null: always enabled, never checked. None: the owner does not take the command now (a kind
    // without properties, say), and the chain goes on to the next target.
    std::optional<CommandState> (*state)(const Owner& owner) = nullptr;
    void (*run)(Owner& owner) = nullptr;
};

// A state and its action are declared together, and the table tells which numbers it handles.
template <class Owner>
class CommandTable {
public:
    // `name` says whose commands these are, in the list of every table.
    constexpr CommandTable(const char* name, std::span<const CommandRow<Owner>> rows) : name_(name), rows_(rows) {}

    const char* name() const { return name_; }

    // None when the table does not have the command or its row declines it.
    std::optional<CommandState> state(const Owner& owner, int id) const
    {
        const CommandRow<Owner>* row = find(id);
        if (!row)
            return std::nullopt;
        return row->state ? row->state(owner) : CommandState{};
    }

    // False when the table does not have the command or its row declines it.
    bool run(Owner& owner, int id) const
    {
        const CommandRow<Owner>* row = find(id);
        if (!row || (row->state && !row->state(owner)))
            return false;
        row->run(owner);
        return true;
    }

    std::vector<int> ids() const
    {
        std::vector<int> ids;
        for (const CommandRow<Owner>& row : rows_)
            ids.push_back(row.id);
        return ids;
    }

private:
    const CommandRow<Owner>* find(int id) const
    {
        const auto found = std::find_if(rows_.begin(), rows_.end(), [id](const CommandRow<Owner>& row) { return row.id == id; });
        return found == rows_.end() ? nullptr : &*found;
    }

    const char* name_;
    std::span<const CommandRow<Owner>> rows_;
};
