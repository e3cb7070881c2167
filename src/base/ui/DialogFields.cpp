#include "base/ui/DialogFields.h"

#include <QComboBox>
#include <QLineEdit>

namespace DialogFields {

QComboBox* listOf(const std::vector<std::string>& entries, int current, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    for (const std::string& entry : entries)
        list->addItem(QString::fromStdString(entry));
    list->setCurrentIndex(current);
    return list;
}

QLineEdit* editOf(const std::string& text, int maxLength, QWidget* parent)
{
    auto* edit = new QLineEdit(QString::fromStdString(text), parent);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

}  // namespace DialogFields
