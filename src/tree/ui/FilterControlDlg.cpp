#include "tree/ui/FilterControlDlg.h"

#include <QAbstractSpinBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <functional>

#include "tree/FilterControlForm.h"

namespace {
// An up/down control around a read-only value: each click is handed to `onStep`.
class StepControl : public QAbstractSpinBox {
public:
    StepControl(std::function<void(int)> onStep, QWidget* parent) : QAbstractSpinBox(parent), onStep_(std::move(onStep))
    {
        setReadOnly(true);
    }
    void stepBy(int steps) override { onStep_(steps); }
    void setValueText(const QString& text) { lineEdit()->setText(text); }

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    std::function<void(int)> onStep_;
};
}  // namespace

FilterControlDlg::FilterControlDlg(std::shared_ptr<FilterControlForm> form, QWidget* parent)
    : QDialog(parent), form_(std::move(form))
{
    setWindowTitle("Filter control");
    setModal(false);
    from_ = new StepControl([this](int steps) { step(true, steps); }, this);
    to_ = new StepControl([this](int steps) { step(false, steps); }, this);
    auto* fields = new QFormLayout;
    fields->addRow("From (Hz) :", from_);
    fields->addRow("To (Hz) :", to_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    showValues();
}

void FilterControlDlg::open(std::shared_ptr<FilterControlForm> form, QWidget* parent)
{
    auto* dialog = new FilterControlDlg(std::move(form), parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void FilterControlDlg::step(bool from, int steps)
{
    const int direction = steps > 0 ? 1 : -1;
    for (int i = 0; i < std::abs(steps); ++i)
        if (!(from ? form_->stepFrom(direction) : form_->stepTo(direction)))
            break;
    showValues();
}

void FilterControlDlg::showValues()
{
    if (!form_->windowOpen()) {
        close();
        return;
    }
    static_cast<StepControl*>(from_)->setValueText(QString::fromStdString(form_->fromText()));
    static_cast<StepControl*>(to_)->setValueText(QString::fromStdString(form_->toText()));
}
