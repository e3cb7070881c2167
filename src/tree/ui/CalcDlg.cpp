#include "tree/ui/CalcDlg.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "tree/CalcForm.h"

namespace {
constexpr int ButtonColumns = 3;
}  // namespace

CalcDlg::CalcDlg(CalcForm& form, QWidget* parent)
    : QDialog(parent), form_(form), available_(new QListWidget(this)), expression_(new QListWidget(this)),
      add_(new QPushButton(">", this))
{
    setWindowTitle("Signal calculator");
    for (const CalcForm::Available& entry : form.available())
        available_->addItem(QString::fromStdString(entry.title));
    // Operators are right-aligned by blanks, which only line up in a fixed-pitch font.
    expression_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    expression_->setSelectionMode(QAbstractItemView::NoSelection);

    auto* lists = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Available signals", this));
    left->addWidget(available_);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel("Expression for the new signal", this));
    right->addWidget(expression_);
    add_->setFixedWidth(32);
    lists->addLayout(left);
    lists->addWidget(add_);
    lists->addLayout(right);

    auto* grid = new QGridLayout;
    int cell = 0;
    for (const CalcOperator& op : CalcOperator::all()) {
        auto* button = new QPushButton(op.button, this);
        operators_.push_back(button);
        grid->addWidget(button, cell / ButtonColumns, cell % ButtonColumns);
        ++cell;
        connect(button, &QPushButton::clicked, this, [this, &op] {
            form_.addOperator(op);
            showExpression();
        });
    }
    auto* clear = new QPushButton("AC", this);
    grid->addWidget(clear, cell / ButtonColumns, cell % ButtonColumns);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
    buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(available_, &QListWidget::currentRowChanged, this, [this](int row) {
        form_.select(row);
        showExpression();
    });
    connect(available_, &QListWidget::itemDoubleClicked, this, [this] {
        form_.addSelected();
        showExpression();
    });
    connect(add_, &QPushButton::clicked, this, [this] {
        form_.addSelected();
        showExpression();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        form_.clear();
        showExpression();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &CalcDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showExpression();
}

bool CalcDlg::run(CalcForm& form, QWidget* parent)
{
    CalcDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void CalcDlg::accept()
{
    if (form_.accept())
        QDialog::accept();
}

void CalcDlg::done(int result)
{
    form_.closed();
    QDialog::done(result);
}

void CalcDlg::showExpression()
{
    expression_->clear();
    for (const std::string& entry : form_.expressionList())
        expression_->addItem(QString::fromStdString(entry));
    expression_->scrollToBottom();
    add_->setEnabled(form_.operandExpected() && form_.selected() >= 0);
    const auto all = CalcOperator::all();
    for (std::size_t i = 0; i < operators_.size(); ++i)
        operators_[i]->setEnabled(form_.accepts(all[i]));
}
