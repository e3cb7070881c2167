#include "app/SplashWindow.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cmath>

namespace {
constexpr int Width = 230;
constexpr int Height = 60;
}  // namespace

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Width, Height);
    setWindowTitle("Marlune");
}

void SplashWindow::showCentred()
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    move(screen.width() / 2 - 115, screen.height() / 2 - 30);
    show();
    raise();
    QTimer::singleShot(LifetimeMs, this, &QWidget::close);
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, Height);
    background.setColorAt(0, QColor(20, 50, 120));
    background.setColorAt(1, QColor(10, 25, 60));
    painter.fillRect(rect(), background);

    // A small trace of a signal behind the name.
    painter.setPen(QPen(QColor(90, 160, 255), 1.5));
    QPolygonF trace;
    for (int x = 0; x <= Width; x += 3)
        trace << QPointF(x, 44 + 9 * std::sin(x / 9.0) * std::exp(-x / 160.0));
    painter.drawPolyline(trace);

    QFont name("DejaVu Sans");
    name.setPixelSize(24);
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(Qt::white);
    painter.drawText(QRect(12, 4, Width - 24, 32), Qt::AlignLeft | Qt::AlignVCenter, "Marlune");

    QFont version("DejaVu Sans");
    version.setPixelSize(11);
    painter.setFont(version);
    painter.drawText(QRect(12, 4, Width - 24, 32), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Version %1").arg(MARLUNE_VERSION));
    painter.setPen(QColor(120, 140, 180));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
