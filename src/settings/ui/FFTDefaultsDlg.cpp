#include "settings/ui/FFTDefaultsDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/FFTDefaultsForm.h"

namespace {
template <std::size_t N>
QComboBox* list(const std::array<const char*, N>& names, int selected, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (const char* name : names)
        box->addItem(name);
    box->setCurrentIndex(selected >= 0 && selected < int(N) ? selected : 0);
    return box;
}

QLineEdit* shortField(const std::string& text, QWidget* parent)
{
    auto* edit = new QLineEdit(QString::fromStdString(text), parent);
    edit->setMaxLength(FFTDefaultsForm::FieldLength);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("00000") + 12);
    return edit;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets)
{
    auto* layout = new QHBoxLayout;
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    layout->addStretch();
    return layout;
}
}  // namespace

FFTDefaultsDlg::FFTDefaultsDlg(FFTDefaultsForm& form, QWidget* parent) : QDialog(parent), form_(form)
{
    setWindowTitle("Spectral analysis defaults");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FFTDefaultsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FFTDefaultsDlg::reject);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildPreparation());
    left->addWidget(buildKind());
    left->addWidget(buildPost());
    columns->addLayout(left);
    columns->addWidget(buildShow(), 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
}

QWidget* FFTDefaultsDlg::buildPreparation()
{
    auto* group = new QGroupBox(this);
    subtractMean_ = new QCheckBox("Subtract mean", group);
    subtractMean_->setChecked(form_.subtractMean);
    removeTrend_ = new QCheckBox("Remove linear trend", group);
    removeTrend_->setChecked(form_.removeTrend);
    removePeaks_ = new QCheckBox("Remove values >", group);
    removePeaks_->setChecked(form_.removePeaks);
    peakLimit_ = shortField(form_.peakLimit, group);
    applyWindow_ = new QCheckBox("Apply window:", group);
    applyWindow_->setChecked(form_.applyWindow);
    window_ = list(FFTDefaultsForm::WindowNames, form_.window, group);
    expand_ = new QCheckBox("Expand with zeros by factor", group);
    expand_->setChecked(form_.expand);
    expansion_ = list(FFTDefaultsForm::ExpansionNames, form_.expansion, group);
    expand_->setEnabled(form_.expansionEnabled());
    expansion_->setEnabled(form_.expansionEnabled());

    auto* layout = new QVBoxLayout(group);
    layout->addWidget(subtractMean_);
    layout->addWidget(removeTrend_);
    layout->addLayout(row({removePeaks_, peakLimit_, new QLabel("*stand. dev.", group)}));
    layout->addLayout(row({applyWindow_, window_}));
    layout->addLayout(row({expand_, expansion_}));
    return group;
}

QWidget* FFTDefaultsDlg::buildKind()
{
    auto* group = new QGroupBox(this);
    instantaneous_ = new QRadioButton("Instantaneous spectrum (no averaging)", group);
    averaged_ = new QRadioButton("Averaged spectrum on last", group);
    (form_.averaged ? averaged_ : instantaneous_)->setChecked(true);
    averages_ = shortField(form_.averages, group);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(instantaneous_);
    layout->addLayout(row({averaged_, averages_, new QLabel("iterations", group)}));
    return group;
}

QWidget* FFTDefaultsDlg::buildShow()
{
    auto* group = new QGroupBox("Show result as:", this);
    show_ = new QButtonGroup(group);
    auto* layout = new QVBoxLayout(group);
    for (int value = 0; value < int(FFTDefaultsForm::ShowNames.size()); ++value) {
        auto* button = new QRadioButton(FFTDefaultsForm::ShowNames[value], group);
        button->setChecked(value == form_.show);
        button->setEnabled(form_.showEnabled(value));
        show_->addButton(button, value);
        layout->addWidget(button);
    }
    return group;
}

QWidget* FFTDefaultsDlg::buildPost()
{
    auto* group = new QGroupBox(this);
    smooth_ = new QCheckBox("Smooth with:", group);
    smooth_->setChecked(form_.smooth);
    smoothWindow_ = list(FFTDefaultsForm::WindowNames, form_.smoothWindow, group);
    smoothLength_ = shortField(form_.smoothLength, group);
    testPeaks_ = new QCheckBox("Test for:", group);
    testPeaks_->setChecked(form_.testPeaks);
    confidence_ = list(FFTDefaultsForm::ConfidenceNames, form_.confidence, group);
    testPeaks_->setEnabled(form_.testEnabled());
    confidence_->setEnabled(form_.testEnabled());
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(row({smooth_, smoothWindow_, smoothLength_, new QLabel("pts", group)}));
    layout->addLayout(row({testPeaks_, confidence_, new QLabel("%  confidence", group)}));
    return group;
}

bool FFTDefaultsDlg::run(FFTDefaultsForm& form, QWidget* parent)
{
    FFTDefaultsDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void FFTDefaultsDlg::accept()
{
    form_.subtractMean = subtractMean_->isChecked();
    form_.removeTrend = removeTrend_->isChecked();
    form_.removePeaks = removePeaks_->isChecked();
    form_.peakLimit = peakLimit_->text().toStdString();
    form_.applyWindow = applyWindow_->isChecked();
    form_.window = window_->currentIndex();
    form_.expand = expand_->isChecked();
    form_.expansion = expansion_->currentIndex();
    form_.averaged = averaged_->isChecked();
    form_.averages = averages_->text().toStdString();
    form_.show = show_->checkedId();
    form_.smooth = smooth_->isChecked();
    form_.smoothWindow = smoothWindow_->currentIndex();
    form_.smoothLength = smoothLength_->text().toStdString();
    form_.testPeaks = testPeaks_->isChecked();
    form_.confidence = confidence_->currentIndex();
    if (form_.accept())
        QDialog::accept();
}
