#pragma once
// The "Axes settings" dialog over YAxisForm: range edits with spins, switches and axis titles.
#include <QDialog>

class AxisRangeFields;
class QCheckBox;
class QLineEdit;
class YAxisForm;

class YAxisDlg : public QDialog {
    Q_OBJECT
public:
    explicit YAxisDlg(YAxisForm& form, QWidget* parent = nullptr);

    static bool run(YAxisForm& form, QWidget* parent);

    void accept() override;

private:
    YAxisForm& form_;
    AxisRangeFields* range_;
    QCheckBox* instantPreview_;
    QCheckBox* logX_;
    QCheckBox* logY_;
    QLineEdit* xLabel_;
    QLineEdit* yLabel_;
};
