#pragma once
// The fields every dialog builds the same way.
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QWidget;

namespace DialogFields {
// A drop-down list of the entries with `current` selected (−1: none).
QComboBox* listOf(const std::vector<std::string>& entries, int current, QWidget* parent);
// An edit showing `text` that takes at most `maxLength` characters (no limit for 0).
QLineEdit* editOf(const std::string& text, int maxLength, QWidget* parent);
}  // namespace DialogFields
