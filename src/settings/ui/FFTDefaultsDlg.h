#pragma once
// "Spectral analysis defaults": shows an FFTDefaultsForm; stays open while the form refuses the values.
#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class FFTDefaultsForm;

class FFTDefaultsDlg : public QDialog {
    Q_OBJECT
public:
    explicit FFTDefaultsDlg(FFTDefaultsForm& form, QWidget* parent = nullptr);

    static bool run(FFTDefaultsForm& form, QWidget* parent);

    void accept() override;

private:
    QWidget* buildPreparation();
    QWidget* buildKind();
    QWidget* buildShow();
    QWidget* buildPost();

    FFTDefaultsForm& form_;
    QCheckBox* subtractMean_;
    QCheckBox* removeTrend_;
    QCheckBox* removePeaks_;
    QLineEdit* peakLimit_;
    QCheckBox* applyWindow_;
    QComboBox* window_;
    QCheckBox* expand_;
    QComboBox* expansion_;
    QRadioButton* instantaneous_;
    QRadioButton* averaged_;
    QLineEdit* averages_;
    QButtonGroup* show_;
    QCheckBox* smooth_;
    QComboBox* smoothWindow_;
    QLineEdit* smoothLength_;
    QCheckBox* testPeaks_;
    QComboBox* confidence_;
};
