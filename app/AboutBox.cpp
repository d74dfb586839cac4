#include "app/AboutBox.h"

#include "core/Messages.h"
#include "core/version.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace app {

AboutBox::AboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + core::applicationTitle());

    auto *title = new QLabel(core::applicationTitle());
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    auto *product = new QLabel(QStringLiteral("Houndry - Dog Breeding Database Management System"));
    product->setObjectName(QStringLiteral("lblDescription"));
    auto *version = new QLabel(versionText());
    version->setObjectName(QStringLiteral("lblVersion"));

    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto *sysInfo = new QPushButton(QStringLiteral("&System Info..."));
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo, &QPushButton::clicked, this, &AboutBox::startSysInfo);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(product);
    layout->addWidget(version);
    layout->addSpacing(12);
    layout->addLayout(buttons);
}

QString AboutBox::versionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(core::versionMajor)
        .arg(core::versionMinor)
        .arg(core::versionRevision);
}

QStringList AboutBox::systemInfoPrograms()
{
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor"), QStringLiteral("xfce4-taskmanager")};
}

void AboutBox::startSysInfo()
{
    for (const QString &program : systemInfoPrograms()) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return;
    }
    core::tell(QStringLiteral("System Information Is Unavailable At This Time"));
}

} // namespace app
