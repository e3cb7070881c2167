#pragma once
// The "Zoom to power of 2" dialog: the lengths 2^k (k = 4, 5, ...) shorter than the visible count.
#include <cstdint>
#include <string>
#include <vector>

#include "base/DialogForm.h"

class ZoomFirst2nForm : public DialogForm {
public:
    static constexpr std::string_view Name = "ZoomFirst2n";

    explicit ZoomFirst2nForm(uint32_t visibleCount);

    // "%lu (2^%u)" for each length.
    const std::vector<std::string>& entries() const { return entries_; }
    // The entry chosen in the list, -1 for none; the longest length at first.
    int chosen;

    std::string_view formName() const override { return Name; }
    // Needs a chosen entry.
    bool accept() override;
    uint32_t length() const { return lengths_.at(std::size_t(chosen)); }

private:
    std::vector<std::string> entries_;
    std::vector<uint32_t> lengths_;
};
