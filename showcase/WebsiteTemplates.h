#pragma once

#include <kainjow/mustache.hpp>
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace showcase {

// The website's pages as mustache templates, and its style sheet: the breeder's own where a
// file of that name is in their folder, else the shipped one.
struct Templates
{
    kainjow::mustache::mustache index{""}, dog{""}, litters{""}, puppies{""};
    QByteArray style;
};

// The template of this name, the breeder's own (in `own`) or the shipped one.
QByteArray templateBytes(const QString &own, const QString &name);
// Every page's template, read and parsed; the problem, or empty.
QString readTemplates(const QString &own, Templates *templates);
// The templates' file names, the style sheet's last.
QStringList templateNames();
// Writes the bytes as the whole file; false when it could not be written.
bool writeFile(const QString &path, const QByteArray &bytes);

} // namespace showcase
