#pragma once

#include "core/WriteResult.h"

#include <optional>
#include <QDate>
#include <QSqlDatabase>
#include <QStringList>
#include <vector>

namespace showcase {

// A dog's result at a show or trial, and the title it earned there if any.
struct ShowResult
{
    qint64 id = 0;
    qint64 dogId = 0;
    QDate date;
    QString show; // the show or trial
    QString judge;
    QString showClass;
    QString placing;
    QString award;      // an award or points
    QString title;      // earned there, such as "Champion"
    QString titleShort; // its short form, such as "CH"
};

// The dog's results, oldest first; none when they cannot be read.
std::optional<std::vector<ShowResult>> showResultsOf(const QSqlDatabase &kennel, qint64 dogId);
// What keeps a result from being added, or empty.
QString showResultProblem(const ShowResult &result);
core::WriteResult<qint64> addShowResult(QSqlDatabase kennel, const ShowResult &result,
                                        const QString &dogName);
core::WriteResult<> deleteShowResult(QSqlDatabase kennel, const ShowResult &result,
                                     const QString &dogName);

// The short forms of the titles in the order they were earned, each once.
QStringList titlesOf(const std::vector<ShowResult> &results);

} // namespace showcase
