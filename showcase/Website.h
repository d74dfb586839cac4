#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace showcase {

// Which dogs a website shows, and whether the breeder's own address goes with them.
struct WebsiteChoice
{
    enum class Dogs { OwnLiving, All, Chosen };
    QString folder; // where the site goes
    Dogs dogs = Dogs::OwnLiving;
    QList<qint64> chosen; // the dogids, for Dogs::Chosen
    bool contactDetails = false;
    // A folder of the breeder's own templates, each used in place of the shipped one of its
    // name; empty for the shipped ones.
    QString templates;
};

struct Published
{
    int pages = 0;
    QString problem; // nothing of the earlier site was changed when there is one
};

// Why the site cannot go in this folder, or empty: not the kennel's own folder or one that
// holds it, and either empty or a site published here before, since publishing replaces it.
QString websiteFolderProblem(const QString &folder, const QString &dataFolder);

// Writes the site: an index of the chosen dogs with the kennel's name (and, when chosen, the
// breeder's contact details), a page per dog with its photos, details, health results,
// titles and results, COI, a four-generation pedigree linking to the dogs that have pages,
// and its offspring; the litters; the puppies available. Every text from the kennel is
// escaped. Written into a new folder first and then put in place of the earlier site.
Published publishWebsite(const QSqlDatabase &kennel, const WebsiteChoice &choice,
                         const QString &dataFolder);

// Writes the shipped templates into `folder`, for the breeder to change; a template of that
// name already there is kept. The problem, or empty.
QString writeShippedTemplates(const QString &folder);

} // namespace showcase
