#pragma once

#include "core/WriteResult.h"

#include "pedigree/PedigreeRecord.h"

#include <QSqlDatabase>

namespace pedigree {

// The builds fill the shared pedigree record from the kennel database, one indexed seek per
// ancestor. Every ancestor slot that holds a name other than "Not On Record" has its own
// parents looked up, whatever its neighbours hold.
void buildpedigree3(const QString &subject);
void buildpedigree4(const QString &subject);
// Deeper pedigrees (up to eight generations) for the chart; described like buildpedigree3.
void buildpedigree(const QString &subject, int generations);
void buildmatingpedigree(const QString &sire, const QString &dam);

// Empty descriptive fields become " ", empty slots of generations 1 to 3 "Not on Record".
void fillpedigreeblanks();
// Blank filling, then the record into the single pedigreedata row.
core::WriteResult<> movedata();
// Empties the slots of generations 1 to 3.
void cleardata();

// The same builds on any record and database, for tests and the benchmark.
void build(PedigreeRecord &record, const QSqlDatabase &db, const QString &subject, int generations,
           bool describe);

} // namespace pedigree
