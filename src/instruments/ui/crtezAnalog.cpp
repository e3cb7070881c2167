#include "instruments/ui/crtezAnalog.h"

#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>

#include "instruments/marlune1DChild.h"
#include "tree/CommandIds.h"
#include "views/InstrumentReading.h"
#include "views/ui/AnalogFace.h"
#include "views/ui/PaneContextMenu.h"

namespace {
InstrumentReading readingOf(const marlune1DChild& child)
{
    const InstrumentSettings& s = child.settings();
    InstrumentReading reading;
    reading.value = child.value();
    reading.rangeFrom = s.rangeFrom;
    reading.rangeTo = s.rangeTo;
    reading.type = s.instrumentType;
    reading.inner = s.alarmInner;
    reading.criticalFrom = s.alarmRangeFrom;
    reading.criticalTo = s.alarmRangeTo;
    reading.units = s.units;
    return reading;
}
}  // namespace

crtezAnalog::crtezAnalog(marlune1DChild& child, QWidget* parent) : QWidget(parent), child_(&child)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    child.subscribe(*this);
}

crtezAnalog::~crtezAnalog()
{
    detach();
}

void crtezAnalog::detach()
{
    if (child_)
        child_->unsubscribe(*this);
    child_ = nullptr;
}

QImage crtezAnalog::render(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    if (child_)
        AnalogFace::paint(image, readingOf(*child_));
    else
        image.fill(Qt::white);
    return image;
}

void crtezAnalog::childChanged(marluneChild&, const ChildEvent& event)
{
    switch (event.change) {
    case ChildChange::Closing:
        detach();
        break;
    case ChildChange::Repaint:
    case ChildChange::Scrolled:
        update();
        break;
    default:
        break;
    }
}

void crtezAnalog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, render(size()));
}

void crtezAnalog::mousePressEvent(QMouseEvent* event)
{
    auto* subWindow = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (subWindow && subWindow->mdiArea())
        subWindow->mdiArea()->setActiveSubWindow(subWindow);
    QWidget::mousePressEvent(event);
}

void crtezAnalog::contextMenuEvent(QContextMenuEvent* event)
{
    if (!child_)
        return;
    QMenu menu(this);
    using PaneContextMenu::addCommand;
    // Both items switch between the two; the check mark tells which one shows.
    QAction* graphical = addCommand(menu, *child_, "Graphical instrument", Cmd::InstrumentDisplay);
    QAction* number = addCommand(menu, *child_, "Number only", Cmd::InstrumentDisplay);
    const bool numberShown = child_->settings().instrumentType != InstrumentSettings::Dial;
    graphical->setCheckable(true);
    graphical->setChecked(!numberShown);
    number->setCheckable(true);
    number->setChecked(numberShown);
    menu.addSeparator();
    addCommand(menu, *child_, "Log instrument values...", Cmd::LogInstrument);
    menu.addSeparator();
    addCommand(menu, *child_, "Properties...", Cmd::Properties);
    menu.addSeparator();
    PaneContextMenu::addSavePicture(menu, *child_, [this] { return render(size()); });
    menu.exec(event->globalPos());
}
