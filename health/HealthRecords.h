#pragma once

#include "core/WriteResult.h"
#include "genetics/DnaInheritance.h"

#include <optional>
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

namespace health {

enum class TestKind { Examination, Dna };
QString kindWord(TestKind kind);
QStringList kindWords();
QStringList inheritanceWords();

struct HealthTest
{
    qint64 id = 0;
    QString name;
    TestKind kind = TestKind::Examination;
    genetics::Inheritance inheritance = genetics::Inheritance::Recessive;
    std::optional<double> frequency;
    bool hidden = false;
};

// The kennel's tests in the order they were made; nothing when they could not be read
// (the user has been told).
std::optional<std::vector<HealthTest>> healthTests(const QSqlDatabase &kennel);
const HealthTest *testWithId(const std::vector<HealthTest> &tests, qint64 id);

// A typed frequency of the faulty copy: empty for not known, otherwise a number from 0 to 1
// in the program's own form or with a decimal comma. The problem, or empty.
QString readFrequency(const QString &typed, std::optional<double> *frequency);
QString frequencyText(const std::optional<double> &frequency);

// What keeps a test from being saved among the others, or empty.
QString testProblem(const HealthTest &test, const std::vector<HealthTest> &others);
core::WriteResult<qint64> addTest(QSqlDatabase kennel, const HealthTest &test);
core::WriteResult<> saveTest(QSqlDatabase kennel, const HealthTest &test);
// Why a test cannot be deleted (it has results, which would point nowhere), or empty.
QString deletionRefused(const QSqlDatabase &kennel, const HealthTest &test);
core::WriteResult<> deleteTest(QSqlDatabase kennel, const HealthTest &test);

struct HealthResult
{
    qint64 id = 0;
    qint64 dogId = 0;
    qint64 testId = 0;
    QDate date;
    QString result;
    std::optional<double> score;
    QString examiner;
    QString certificate;
    QString note;
};

// A dog's results, newest first; nothing when they could not be read (the user was told).
std::optional<std::vector<HealthResult>> resultsOf(const QSqlDatabase &kennel, qint64 dogId);
// Checks a result against its test; a DNA result typed in another case is written as the
// word itself. The problem, or empty.
QString settleResult(HealthResult *result, const HealthTest &test);
core::WriteResult<qint64> addResult(QSqlDatabase kennel, const HealthResult &result,
                                    const QString &dogName);
core::WriteResult<> saveResult(QSqlDatabase kennel, const HealthResult &result,
                               const QString &dogName);
core::WriteResult<> deleteResult(QSqlDatabase kennel, const HealthResult &result,
                                 const QString &dogName);

// The kennel's choices for the derived statuses and the litter warning.
core::WriteResult<> setClearGenerations(QSqlDatabase kennel, int generations);
core::WriteResult<> setCoiLimit(QSqlDatabase kennel, double limit);

} // namespace health
