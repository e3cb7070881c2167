#pragma once
// A progress window that appears once a computation has taken longer than a moment.
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "base/ProgressReport.h"

class QProgressDialog;

// While it shows, windows repaint and commands wait (it is application-modal); its Cancel asks the
// computation to stop.
class QtProgressReport : public ProgressReport {
public:
    QtProgressReport(QWidget* window, int delayMs);
    ~QtProgressReport() override;

    bool advance(uint64_t done, uint64_t total) override;

private:
    QPointer<QWidget> window_;
    const int delayMs_;
    QElapsedTimer clock_;
    qint64 lastEvents_ = 0;
    std::unique_ptr<QProgressDialog> dialog_;
};
