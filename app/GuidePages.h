#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace app::guide {

// The user guide: Markdown pages in one folder, shipped with the program.
struct Page
{
    QString name; // the file's name without ".md"
    QString title;
};

// Where the pages are: beside an installed program, else in the source tree it was built from.
QString folder();
QString fileOf(const QString &page);

// The pages in the order of the contents, each titled by its first heading.
QList<Page> pages();

// The page that explains the screen of this object name; the first page for any other.
QString pageFor(const QString &screenName);

// The pages that hold every word of `words`, in the order of the contents.
QStringList pagesWith(const QString &words);

} // namespace app::guide
