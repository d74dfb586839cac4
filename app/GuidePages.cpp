#include "app/GuidePages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

namespace app::guide {
namespace {

const QStringList contents{
    QStringLiteral("index"),     QStringLiteral("setup"),    QStringLiteral("dogs"),
    QStringLiteral("pedigrees"), QStringLiteral("breeding"), QStringLiteral("health"),
    QStringLiteral("lists"),     QStringLiteral("contacts"), QStringLiteral("sales"),
    QStringLiteral("money"),     QStringLiteral("genetics"), QStringLiteral("backups"),
    QStringLiteral("transfer")};

QString textOf(const QString &page)
{
    QFile file(fileOf(page));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString folder()
{
    const QString installed = QDir(QCoreApplication::applicationDirPath())
                                  .filePath(QStringLiteral("../share/houndry/guide"));
    if (QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return QStringLiteral(HOUNDRY_SOURCE_GUIDE);
}

QString fileOf(const QString &page)
{
    return QDir(folder()).filePath(page + QStringLiteral(".md"));
}

QList<Page> pages()
{
    QList<Page> list;
    for (const QString &page : contents) {
        const QString first = textOf(page).section(QLatin1Char('\n'), 0, 0);
        list.append({page, first.startsWith(QStringLiteral("# ")) ? first.mid(2).trimmed() : page});
    }
    return list;
}

QString pageFor(const QString &screenName)
{
    static const QHash<QString, QString> pageOfScreen{
        {QStringLiteral("SetupInformation"), QStringLiteral("setup")},
        {QStringLiteral("Form4"), QStringLiteral("dogs")},
        {QStringLiteral("Photos"), QStringLiteral("dogs")},
        {QStringLiteral("ShowsAndTitles"), QStringLiteral("dogs")},
        {QStringLiteral("PublishWebsite"), QStringLiteral("dogs")},
        {QStringLiteral("AddDogRecords"), QStringLiteral("dogs")},
        {QStringLiteral("FindDogRecord"), QStringLiteral("dogs")},
        {QStringLiteral("DeleteDog"), QStringLiteral("dogs")},
        {QStringLiteral("MergeDogs"), QStringLiteral("dogs")},
        {QStringLiteral("AllDogs"), QStringLiteral("dogs")},
        {QStringLiteral("Form24"), QStringLiteral("pedigrees")},
        {QStringLiteral("Form5"), QStringLiteral("pedigrees")},
        {QStringLiteral("Form25"), QStringLiteral("pedigrees")},
        {QStringLiteral("Form23"), QStringLiteral("pedigrees")},
        {QStringLiteral("CertificateChooser"), QStringLiteral("pedigrees")},
        {QStringLiteral("Form20"), QStringLiteral("breeding")},
        {QStringLiteral("Form19"), QStringLiteral("breeding")},
        {QStringLiteral("Form3"), QStringLiteral("breeding")},
        {QStringLiteral("Form11"), QStringLiteral("breeding")},
        {QStringLiteral("Seasons"), QStringLiteral("breeding")},
        {QStringLiteral("Progesterone"), QStringLiteral("breeding")},
        {QStringLiteral("Whelping"), QStringLiteral("breeding")},
        {QStringLiteral("LitterWeights"), QStringLiteral("breeding")},
        {QStringLiteral("Form8"), QStringLiteral("health")},
        {QStringLiteral("Form30"), QStringLiteral("health")},
        {QStringLiteral("Form9"), QStringLiteral("health")},
        {QStringLiteral("Form6"), QStringLiteral("health")},
        {QStringLiteral("HealthTests"), QStringLiteral("health")},
        {QStringLiteral("HealthResults"), QStringLiteral("health")},
        {QStringLiteral("Form13"), QStringLiteral("lists")},
        {QStringLiteral("Form14"), QStringLiteral("lists")},
        {QStringLiteral("Form15"), QStringLiteral("lists")},
        {QStringLiteral("Form31"), QStringLiteral("lists")},
        {QStringLiteral("Form28"), QStringLiteral("contacts")},
        {QStringLiteral("Form7"), QStringLiteral("contacts")},
        {QStringLiteral("Form17"), QStringLiteral("contacts")},
        {QStringLiteral("Form18"), QStringLiteral("contacts")},
        {QStringLiteral("Form29"), QStringLiteral("contacts")},
        {QStringLiteral("DeleteContact"), QStringLiteral("contacts")},
        {QStringLiteral("AllContacts"), QStringLiteral("contacts")},
        {QStringLiteral("Form10"), QStringLiteral("sales")},
        {QStringLiteral("WaitingList"), QStringLiteral("money")},
        {QStringLiteral("Accounts"), QStringLiteral("money")},
        {QStringLiteral("Contracts"), QStringLiteral("money")},
        {QStringLiteral("ContractTemplate"), QStringLiteral("money")},
        {QStringLiteral("Genetics"), QStringLiteral("genetics")},
        {QStringLiteral("PopulationGenetics"), QStringLiteral("genetics")},
        {QStringLiteral("MatingMatrix"), QStringLiteral("genetics")},
    };
    return pageOfScreen.value(screenName, contents.first());
}

QStringList pagesWith(const QString &words)
{
    const QStringList wanted =
        words.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QStringList found;
    for (const QString &page : contents) {
        const QString text = textOf(page);
        if (std::all_of(wanted.begin(), wanted.end(), [&](const QString &word) {
                return text.contains(word, Qt::CaseInsensitive);
            }))
            found << page;
    }
    return found;
}

} // namespace app::guide
