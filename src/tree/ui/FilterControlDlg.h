#pragma once
// The "Filter control" dialog: moves the frequencies of a filter window step by step.
#include <QDialog>
#include <memory>

class QAbstractSpinBox;
class FilterControlForm;

// A modeless dialog beside the filter window with an up/down control for each of its frequencies; every
// step recomputes the window. It closes itself once the window is gone.
class FilterControlDlg : public QDialog {
    Q_OBJECT
public:
    explicit FilterControlDlg(std::shared_ptr<FilterControlForm> form, QWidget* parent = nullptr);

    // Opens a dialog that deletes itself when closed.
    static void open(std::shared_ptr<FilterControlForm> form, QWidget* parent);

private:
    void step(bool from, int steps);
    void showValues();

    std::shared_ptr<FilterControlForm> form_;
    QAbstractSpinBox* from_;
    QAbstractSpinBox* to_;
};
