#pragma once
// "Filter": the filter type and its band; Lowpass and Highpass disable the field they do not use.
#include <QDialog>

class QButtonGroup;
class QLineEdit;
class FilterForm;

class FilterDlg : public QDialog {
    Q_OBJECT
public:
    explicit FilterDlg(FilterForm& form, QWidget* parent = nullptr);

    static bool run(FilterForm& form, QWidget* parent);

    void accept() override;

private:
    void typeChosen(int type);
    void showFields();

    FilterForm& form_;
    QButtonGroup* types_;
    QLineEdit* from_;
    QLineEdit* to_;
};
