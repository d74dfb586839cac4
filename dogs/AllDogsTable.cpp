#include "dogs/AllDogsTable.h"

#include "core/DateText.h"
#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "genetics/KennelGenetics.h"
#include "kennel/RecordKinds.h"
#include "showcase/Photos.h"
#include "showcase/PhotoStore.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <QPointer>

namespace dogs {
namespace {

using Column = ui::RowTableModel::Column;

// The kennel's genetics when they are at hand; otherwise they are worked out meanwhile and
// the table shows and sorts its COI column again once they are there.
genetics::KennelGenetics *preparedGenetics(ui::RowTableModel *model)
{
    // On a large kennel every dog's inbreeding takes a second or two: the table does not wait.
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    if (genetics::KennelGenetics::isCurrent(kennel))
        return &genetics::KennelGenetics::current(kennel);
    if (model && genetics::KennelGenetics::preparationProblem(kennel).isEmpty())
        genetics::KennelGenetics::prepare(kennel, model, [model] {
            model->refreshShown();
            model->reorder();
        });
    return nullptr;
}

// The DNA tests the kennel uses, by id and name, for a column each.
std::vector<std::pair<qint64, QString>> dnaTests()
{
    genetics::DnaStatuses tests;
    std::vector<std::pair<qint64, QString>> named;
    if (tests.readTests(db::DatabaseFiles::kennel()).isEmpty()) {
        for (const genetics::DnaTest &test : tests.tests())
            named.emplace_back(test.id, test.name);
    }
    return named;
}

// A dog's status for one DNA test, once the genetics are at hand.
Column dnaColumn(const std::shared_ptr<QPointer<ui::RowTableModel>> &table, qint64 testId,
                 const QString &name)
{
    Column column{name,
                  [table, testId](const QVariantList &, qint64 id) {
                      genetics::KennelGenetics *genetics = preparedGenetics(*table);
                      if (!genetics)
                          return QString();
                      const QSqlDatabase kennel = db::DatabaseFiles::kennel();
                      const genetics::DnaStatuses &dna = genetics->dnaStatuses(kennel);
                      const int dog = genetics->graph().indexOfId(id);
                      const auto &tests = dna.tests();
                      const auto test =
                          std::find_if(tests.begin(), tests.end(),
                                       [&](const genetics::DnaTest &t) { return t.id == testId; });
                      if (dog == genetics::unknown || test == tests.end())
                          return QString();
                      return genetics::statusText(dna.status(int(test - tests.begin()), dog));
                  },
                  -1, 14};
    column.hiddenAtFirst = true;
    return column;
}

// The dog's main photo, small, hidden until asked for: reading photos costs a look at a file
// for each row on view.
Column photoColumn()
{
    Column column{QStringLiteral("Photo"), [](const QVariantList &, qint64) { return QString(); },
                  -1, 5};
    column.hiddenAtFirst = true;
    column.picture = [](qint64 id) {
        const auto photo = showcase::mainPhotoOf(db::DatabaseFiles::kennel(), id);
        const showcase::PhotoStore store;
        if (!photo || !store.holds(photo->file))
            return QPixmap();
        constexpr int side = 32;
        return QPixmap::fromImage(
            store.thumbnail(photo->file)
                .scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    };
    return column;
}

} // namespace

ui::RowTableModel *allDogsTable()
{
    namespace dog = db::fields::dogs;
    const QStringList fields{dog::name, dog::registration, dog::sex, dog::breed, dog::colour,
                             dog::born, dog::sire,         dog::dam, dog::owner};
    auto table = std::make_shared<QPointer<ui::RowTableModel>>();
    QList<ui::RowTableModel::Column> columns{
        Column::text(QStringLiteral("Name"), 0, 24),
        Column::text(QStringLiteral("Reg Number"), 1, 13),
        Column::text(QStringLiteral("Sex"), 2, 7),
        Column::text(QStringLiteral("Breed"), 3, 11),
        Column::text(QStringLiteral("Colour"), 4, 13),
        {QStringLiteral("D.O.B"),
         [](const QVariantList &values, qint64) {
             return core::datetext::display(values.value(5));
         },
         5, 10},
        Column::text(QStringLiteral("Sire"), 6, 21),
        Column::text(QStringLiteral("Dam"), 7, 21),
        Column::text(QStringLiteral("Owner"), 8, 16),
        {QStringLiteral("COI"),
         [table](const QVariantList &, qint64 id) {
             genetics::KennelGenetics *genetics = preparedGenetics(*table);
             if (!genetics)
                 return genetics::KennelGenetics::preparationProblem(db::DatabaseFiles::kennel())
                                .isEmpty()
                            ? QStringLiteral("\u2026")
                            : QStringLiteral("n/a");
             const int dog = genetics->graph().indexOfId(id);
             if (dog == genetics::unknown)
                 return QString();
             return genetics->graph().looped(dog)
                        ? QStringLiteral("loop")
                        : genetics::percent(genetics->inbreeding().of(dog));
         },
         -1, 8,
         [table](std::vector<qint64> rows, bool ascending) {
             genetics::KennelGenetics *genetics = preparedGenetics(*table);
             if (!genetics)
                 return rows;
             // Dogs without a figure (not read, or below a loop) stay last either way, past
             // any inbreeding there can be; equal figures keep the rows' order.
             constexpr double last = 2;
             const genetics::KennelGraph &graph = genetics->graph();
             std::vector<std::pair<double, qint32>> keyed;
             keyed.reserve(rows.size());
             // Both in row order: one walk finds every dog.
             int dog = 0;
             for (const qint64 id : rows) {
                 while (dog < graph.size() && graph.id(dog) < id)
                     ++dog;
                 const bool known = dog < graph.size() && graph.id(dog) == id && !graph.looped(dog);
                 const double coi = known ? genetics->inbreeding().of(dog) : last;
                 keyed.emplace_back(known && !ascending ? -coi : coi, qint32(keyed.size()));
             }
             std::sort(keyed.begin(), keyed.end());
             std::vector<qint64> ordered(rows.size());
             for (size_t i = 0; i < keyed.size(); ++i)
                 ordered[i] = rows[size_t(keyed[i].second)];
             rows = std::move(ordered);
             return rows;
         }}};
    for (const auto &[id, name] : dnaTests())
        columns << dnaColumn(table, id, name);
    columns << photoColumn();
    *table = new ui::RowTableModel(db::SearchableRows(kennel::records::dogs(), fields), columns);
    return *table;
}

} // namespace dogs
