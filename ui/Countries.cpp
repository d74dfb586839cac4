#include "ui/Countries.h"

#include <QFile>

// Resources of a static library are registered by hand, from the global namespace.
static void registerCountries()
{
    Q_INIT_RESOURCE(ui);
}

namespace ui {

QStringList dogCountries()
{
    static const QStringList countries = [] {
        registerCountries();
        QFile f(QStringLiteral(":/ui/countries.txt"));
        QStringList read;
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            return read;
        for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            if (!line.isEmpty())
                read << line;
        }
        return read;
    }();
    return countries;
}

QStringList contactCountries()
{
    QStringList countries = dogCountries();
    countries.removeAll(QStringLiteral("HK China (Hong Kong S.A.R.)"));
    countries.insert(countries.indexOf(QStringLiteral("China")) + 1,
                     QStringLiteral("HK China (Hong Kong S.A.R.)"));
    return countries;
}

QStringList setupCountries()
{
    QStringList countries = contactCountries();
    countries.removeAll(QStringLiteral("United States of America"));
    countries.append(QStringLiteral("Zimbabwe"));
    return countries;
}

} // namespace ui
