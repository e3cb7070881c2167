#pragma once
#include <QDialog>

class QCheckBox;
class QLineEdit;
class ZAxisForm;

// The "Axes settings" dialog of a 3D window over ZAxisForm: Z range edits with spins, switches, three titles.
class ZAxisDlg : public QDialog {
    Q_OBJECT
public:
    explicit ZAxisDlg(ZAxisForm& form, QWidget* parent = nullptr);

    static bool run(ZAxisForm& form, QWidget* parent);

    void accept() override;

private:
    QWidget* rangeRow(QLineEdit* edit, void (ZAxisForm::*spin)(int));
    void rangeEdited();
    void showRange();

    ZAxisForm& form_;
    QLineEdit* max_;
    QLineEdit* min_;
    QCheckBox* noAutoScale_;
    QCheckBox* showAxes_;
    QLineEdit* xLabel_;
    QLineEdit* yLabel_;
    QLineEdit* zLabel_;
};
