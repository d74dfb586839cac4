#include "showcase/WebsiteTemplates.h"

#include "showcase/Website.h"

#include <QDir>
#include <QFile>

// Resources of a static library are registered by hand, from the global namespace.
static void registerTemplates()
{
    Q_INIT_RESOURCE(website);
}

namespace showcase {

using kainjow::mustache::mustache;

QByteArray templateBytes(const QString &own, const QString &name)
{
    registerTemplates();
    QFile file(!own.isEmpty() && QFile::exists(QDir(own).filePath(name))
                   ? QDir(own).filePath(name)
                   : QStringLiteral(":/website/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString readTemplates(const QString &own, Templates *templates)
{
    const std::pair<const char *, mustache *> pages[] = {{"index.mustache", &templates->index},
                                                         {"dog.mustache", &templates->dog},
                                                         {"litters.mustache", &templates->litters},
                                                         {"puppies.mustache", &templates->puppies}};
    for (const auto &[name, page] : pages) {
        *page = mustache(templateBytes(own, QString::fromLatin1(name)).toStdString());
        if (!page->is_valid())
            return QStringLiteral("The template %1 cannot be used: %2.")
                .arg(QString::fromLatin1(name), QString::fromStdString(page->error_message()));
    }
    templates->style = templateBytes(own, QStringLiteral("style.css"));
    return {};
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList templateNames()
{
    return {QStringLiteral("index.mustache"), QStringLiteral("dog.mustache"),
            QStringLiteral("litters.mustache"), QStringLiteral("puppies.mustache"),
            QStringLiteral("style.css")};
}

QString writeShippedTemplates(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return QStringLiteral("The folder %1 cannot be made.")
            .arg(QDir::toNativeSeparators(folder));
    for (const QString &name : templateNames()) {
        const QString path = QDir(folder).filePath(name);
        if (!QFile::exists(path) && !writeFile(path, templateBytes({}, name)))
            return QStringLiteral("The template %1 cannot be written in %2.")
                .arg(name, QDir::toNativeSeparators(folder));
    }
    return {};
}

} // namespace showcase
