#include "app/QtProgressReport.h"

#include <QApplication>
#include <QProgressDialog>

namespace {
// Events are handled this often while the window shows: lively, yet a small share of the work.
constexpr qint64 EventIntervalMs = 40;
constexpr int Steps = 1000;
}  // namespace

QtProgressReport::QtProgressReport(QWidget* window, int delayMs) : window_(window), delayMs_(delayMs)
{
    clock_.start();
}

QtProgressReport::~QtProgressReport() = default;

bool QtProgressReport::advance(uint64_t done, uint64_t total)
{
    const qint64 now = clock_.elapsed();
    if (now < delayMs_ || now - lastEvents_ < EventIntervalMs)
        return !(dialog_ && dialog_->wasCanceled());
    lastEvents_ = now;
    if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>("Please wait...", "Cancel", 0, Steps, window_.data());
        dialog_->setWindowTitle(QApplication::applicationName());
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->show();
    }
    dialog_->setValue(total > 0 ? int(done * Steps / total) : 0);
    QApplication::processEvents();
    return !dialog_->wasCanceled();
}
