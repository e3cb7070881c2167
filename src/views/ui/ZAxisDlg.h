#pragma once
// The "Axes settings" dialog of a 3D window over ZAxisForm.
#include <QDialog>

class AxisRangeFields;
class QLineEdit;
class ZAxisForm;

// Z range edits with spins, switches, three titles.
class ZAxisDlg : public QDialog {
    Q_OBJECT
public:
    explicit ZAxisDlg(ZAxisForm& form, QWidget* parent = nullptr);

    static bool run(ZAxisForm& form, QWidget* parent);

    void accept() override;

private:
    ZAxisForm& form_;
    AxisRangeFields* range_;
    QLineEdit* xLabel_;
    QLineEdit* yLabel_;
    QLineEdit* zLabel_;
};
