#include "app/NumberLocale.h"

#include <QLocale>
#include <clocale>

void useCNumberLocale()
{
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
}
