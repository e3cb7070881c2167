#include "instruments/ui/crtezAnalog.h"

#include <QMenu>

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

crtezAnalog::crtezAnalog(marlune1DChild& child, QWidget* parent) : ChildPane(child, parent), shown_(child) {}

QImage crtezAnalog::render(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    if (child())
        AnalogFace::paint(image, readingOf(shown_));
    else
        image.fill(Qt::white);
    return image;
}

void crtezAnalog::windowChanged(const ChildEvent& event)
{
    if (event.change == ChildChange::Repaint || event.change == ChildChange::Scrolled)
        update();
}

void crtezAnalog::fillContextMenu(QMenu& menu, QPoint)
{
    using PaneContextMenu::addCommand;
    // Both items switch between the two; the check mark tells which one shows.
    QAction* graphical = addCommand(menu, shown_, "Graphical instrument", Cmd::InstrumentDisplay);
    QAction* number = addCommand(menu, shown_, "Number only", Cmd::InstrumentDisplay);
    const bool numberShown = shown_.settings().instrumentType != InstrumentSettings::Dial;
    graphical->setCheckable(true);
    graphical->setChecked(!numberShown);
    number->setCheckable(true);
    number->setChecked(numberShown);
    menu.addSeparator();
    addCommand(menu, shown_, "Log instrument values...", Cmd::LogInstrument);
    menu.addSeparator();
    addCommand(menu, shown_, "Properties...", Cmd::Properties);
    menu.addSeparator();
    addSavePicture(menu);
}
