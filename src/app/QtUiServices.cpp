#include "app/QtUiServices.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>
#include <QRegularExpression>
#include <QUrl>

#include "app/FileFilter.h"
#include "app/QtProgressReport.h"
#include "app/StatusBars.h"
#include "base/ui/RgbImage.h"
#include "settings/ui/InputDlg.h"

namespace {
QMessageBox::StandardButtons standardButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

MessageResult messageResult(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Cancel:
        return MessageResult::Cancel;
    default:
        return MessageResult::Ok;
    }
}

std::string pathText(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}
}  // namespace

void QtUiServices::attach(QWidget* window, StatusBars* statusBars)
{
    window_ = window;
    statusBars_ = statusBars;
}

void QtUiServices::detach()
{
    attach(nullptr, nullptr);
}

MessageResult QtUiServices::messageBox(const std::string& text, const std::string& caption,
                                       MessageButtons buttons, MessageIcon icon)
{
    QMessageBox box(standardIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    standardButtons(buttons), window_);
    return messageResult(box.exec());
}

std::optional<std::string> QtUiServices::inputDialog(const std::string& caption, const std::string& label,
                                                     const std::string& initial, int maxLength)
{
    InputDlg dialog(QString::fromStdString(caption), QString::fromStdString(label), QString::fromStdString(initial),
                    maxLength, window_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.text().toStdString();
}

bool QtUiServices::runDialog(DialogForm& form)
{
    return dialogs_.run(form, window_);
}

void QtUiServices::openModeless(std::shared_ptr<DialogForm> form)
{
    if (!dialogs_.open(std::move(form), window_))
        beep();
}

QString QtUiServices::startFolder(const std::string& folder) const
{
    return folder.empty() ? lastFolder_ : QFile::decodeName(folder.c_str());
}

std::vector<std::string> QtUiServices::openFileDialog(const std::string& filter, bool multiple,
                                                      const std::string& folder)
{
    const QString qtFilter = QString::fromStdString(qtFileFilter(filter));
    const QString start = startFolder(folder);
    QStringList chosen;
    if (multiple)
        chosen = QFileDialog::getOpenFileNames(window_, "Open", start, qtFilter);
    else if (QString name = QFileDialog::getOpenFileName(window_, "Open", start, qtFilter); !name.isEmpty())
        chosen << name;
    std::vector<std::string> names;
    for (const QString& name : chosen)
        names.push_back(pathText(name));
    if (!chosen.isEmpty())
        lastFolder_ = QFileInfo(chosen.front()).absolutePath();
    return names;
}

std::optional<std::string> QtUiServices::saveFileDialog(const std::string& filter,
                                                        const std::string& defaultExtension, const std::string& folder)
{
    QFileDialog dialog(window_, "Save As", startFolder(folder), QString::fromStdString(qtFileFilter(filter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromStdString(defaultExtension).remove(QRegularExpression("^\\.")));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString name = dialog.selectedFiles().front();
    lastFolder_ = QFileInfo(name).absolutePath();
    return pathText(name);
}

void QtUiServices::beep()
{
    QApplication::beep();
}

void QtUiServices::beginWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUiServices::endWaitCursor()
{
    QApplication::restoreOverrideCursor();
}

void QtUiServices::setClipboardBlock(const std::vector<uint8_t>& block)
{
    auto* data = new QMimeData;
    data->setData(SamplesMimeType, QByteArray(reinterpret_cast<const char*>(block.data()), qsizetype(block.size())));
    QApplication::clipboard()->setMimeData(data);
}

std::optional<std::vector<uint8_t>> QtUiServices::clipboardBlock() const
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(SamplesMimeType))
        return std::nullopt;
    const QByteArray bytes = data->data(SamplesMimeType);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void QtUiServices::setClipboardPicture(const RgbPicture& picture)
{
    QApplication::clipboard()->setImage(imageOf(picture));
}

std::optional<RgbPicture> QtUiServices::clipboardPicture() const
{
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull())
        return std::nullopt;
    return rgbPictureOf(image);
}

bool QtUiServices::hasClipboardPicture() const
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasImage();
}

bool QtUiServices::hasClipboardBlock() const
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasFormat(SamplesMimeType);
}

void QtUiServices::openWithDesktop(const std::string& target)
{
    const QString value = QString::fromStdString(target);
    if (const QFileInfo info(value); info.isFile() && info.isExecutable())
        QProcess::startDetached(info.absoluteFilePath(), {});
    else if (value.contains("://"))
        QDesktopServices::openUrl(QUrl(value));
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(value));
}

bool QtUiServices::startDetached(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    return QProcess::startDetached(QString::fromStdString(program), list);
}

int QtUiServices::runProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start(QString::fromStdString(program), list);
    if (!process.waitForStarted())
        return ProcessFailed;
    // Windows keep repainting while the program runs; a modal progress window keeps commands
    // waiting and offers Cancel, which ends the program, when it takes longer than a moment.
    QProgressDialog progress("Please wait...", "Cancel", 0, 0, window_);
    progress.setWindowTitle(QApplication::applicationName());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.reset();
    QTimer::singleShot(ProgressDelayMs, &progress, &QProgressDialog::show);
    bool cancelled = false;
    QObject::connect(&progress, &QProgressDialog::canceled, &process, [&process, &cancelled] {
        cancelled = true;
        process.kill();
    });
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    if (cancelled)
        return ProcessCancelled;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : ProcessFailed;
}

void QtUiServices::setStatusText(StatusField field, const std::string& text)
{
    if (statusBars_)
        statusBars_->setText(field, QString::fromStdString(text));
}

std::unique_ptr<ProgressReport> QtUiServices::startProgress()
{
    return std::make_unique<QtProgressReport>(window_, ProgressDelayMs);
}

void QtUiServices::show3DStatusBar(bool on)
{
    if (statusBars_)
        statusBars_->show3D(on);
}

void QtUiServices::callLater(int ms, std::function<void()> function)
{
    QTimer::singleShot(ms, qApp, std::move(function));
}
