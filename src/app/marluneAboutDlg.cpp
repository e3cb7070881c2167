#include "app/marluneAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/ControlBarIcons.h"
#include "tree/CommandIds.h"

marluneAboutDlg::marluneAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("About Marlune");

    auto* icon = new QLabel(this);
    icon->setPixmap(controlBarIcon(Cmd::FFT).pixmap(48, 48));
    auto* version = new QLabel(versionText(), this);
    version->setObjectName("version");
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    auto* notice = new QLabel(legalNotice(), this);
    notice->setObjectName("legalNotice");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(notice);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QString marluneAboutDlg::versionText()
{
    return QString::asprintf("%s %s %s", "Marlune", "Version", MARLUNE_VERSION);
}

QString marluneAboutDlg::legalNotice()
{
    return QStringLiteral(MARLUNE_LEGAL_NOTICE);
}
