#include "db/Schema.h"

#include "db/Fields.h"
#include "db/Tables.h"

#include <QStringBuilder>

// The layout as the program reads it: every table and index of both files, built from the
// names of db/Tables.h and db/Fields.h. What the files hold is made by the frozen steps of
// db/layout; a test holds this description to what they make.
namespace db {
namespace {

Column text(const QString &name)
{
    return {name, ColumnKind::Text};
}
Column whole(const QString &name)
{
    return {name, ColumnKind::Whole};
}
Column date(const QString &name)
{
    return {name, ColumnKind::Date};
}
Column amount(const QString &name)
{
    return {name, ColumnKind::Amount};
}
Column value(const QString &name)
{
    return {name, ColumnKind::Value};
}
Column real(const QString &name)
{
    return {name, ColumnKind::Real};
}
Column autoId(const QString &name)
{
    return {name, ColumnKind::AutoId};
}

std::vector<Column> texts(std::initializer_list<QString> names)
{
    std::vector<Column> columns;
    for (const QString &name : names)
        columns.push_back(text(name));
    return columns;
}

template <class T> std::vector<T> operator+(std::vector<T> a, const std::vector<T> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Column> pedigreeSlots()
{
    std::vector<Column> columns;
    for (const QString &slot : pedigreeSlotColumns())
        columns.push_back({slot, ColumnKind::Text});
    return columns;
}

} // namespace

const Table &changeSetTable()
{
    using namespace fields;
    static const Table table{
        tables::changeSets,
        {autoId(changeSets::id), text(changeSets::time), text(changeSets::what)}};
    return table;
}

const Table &changeLogTable()
{
    using namespace fields;
    static const Table table{tables::changeLog,
                             {autoId(changeLog::id), whole(changeLog::changeSet),
                              text(changeLog::table), whole(changeLog::record),
                              text(changeLog::field), text(changeLog::kind),
                              value(changeLog::before), value(changeLog::after)}};
    return table;
}

const std::vector<Index> &linkIndexes()
{
    using namespace fields;
    // Ids are compared as numbers, so their indexes keep the column's own order.
    static const std::vector<Index> all{
        {indexes::dogSires, tables::dogs, dogs::sire},
        {indexes::dogDams, tables::dogs, dogs::dam},
        {indexes::matingSires, tables::matings, matings::sire},
        {indexes::litterSires, tables::litters, litters::sire},
        {indexes::litterDams, tables::litters, litters::dam},
        {indexes::vaccinationDogs, tables::vaccinations, vaccinations::dogName},
        {indexes::vaccinationDogIds, tables::vaccinations, vaccinations::dogId,
         quoted(vaccinations::dogId)},
        {indexes::noteDogIds, tables::notes, notes::dogId, quoted(notes::dogId)},
    };
    return all;
}

const Index &dogOwnersIndex()
{
    static const Index index{indexes::dogOwners, tables::dogs, fields::dogs::owner};
    return index;
}

namespace {

Index dueMonths(const QString &name, const QString &table, const QString &due)
{
    return {name, table, due, monthOf(due) % QStringLiteral(", ") % yearOf(due)};
}

} // namespace

const Index &birthMonthsIndex()
{
    using namespace fields;
    static const Index index{indexes::birthMonths, tables::dogs, dogs::born,
                             monthOf(dogs::born) % QStringLiteral(", ") % quoted(dogs::born) %
                                 QStringLiteral(", ") % quoted(dogs::name)};
    return index;
}

const Index &vaccinationMonthsIndex()
{
    static const Index index =
        dueMonths(indexes::vaccinationMonths, tables::vaccinations, fields::vaccinations::due);
    return index;
}

const Index &litterMonthsIndex()
{
    static const Index index =
        dueMonths(indexes::litterMonths, tables::matings, fields::matings::due);
    return index;
}

const Index &changesOfSetIndex()
{
    using namespace fields;
    static const Index index{indexes::changesOfSet, tables::changeLog, changeLog::changeSet,
                             quoted(changeLog::changeSet)};
    return index;
}

const Index &changesOfRecordIndex()
{
    using namespace fields;
    static const Index index{indexes::changesOfRecord, tables::changeLog, changeLog::record,
                             quoted(changeLog::table) % QStringLiteral(", ") %
                                 quoted(changeLog::record)};
    return index;
}

const Table &healthTestTable()
{
    using namespace fields;
    static const Table table{tables::healthTests,
                             {autoId(healthTests::id), text(healthTests::name),
                              text(healthTests::kind), text(healthTests::inheritance),
                              real(healthTests::frequency), whole(healthTests::hidden)}};
    return table;
}

const Table &healthResultTable()
{
    using namespace fields;
    static const Table table{tables::healthResults,
                             {autoId(healthResults::id), whole(healthResults::dogId),
                              whole(healthResults::testId), date(healthResults::date),
                              text(healthResults::result), real(healthResults::score),
                              text(healthResults::examiner), text(healthResults::certificate),
                              text(healthResults::note)}};
    return table;
}

const std::vector<Index> &healthResultIndexes()
{
    using namespace fields;
    static const std::vector<Index> all{
        {indexes::healthResultDogIds, tables::healthResults, healthResults::dogId,
         quoted(healthResults::dogId)},
        {indexes::healthResultTestIds, tables::healthResults, healthResults::testId,
         quoted(healthResults::testId)},
    };
    return all;
}

const Table &seasonTable()
{
    using namespace fields;
    static const Table table{tables::seasons,
                             {autoId(seasons::id), whole(seasons::dogId), date(seasons::firstDay),
                              date(seasons::lastDay), whole(seasons::mated), text(seasons::note)}};
    return table;
}

const Index &seasonDogsIndex()
{
    using namespace fields;
    static const Index index{indexes::seasonDogIds, tables::seasons, seasons::dogId,
                             quoted(seasons::dogId)};
    return index;
}

const Table &progesteroneTable()
{
    using namespace fields;
    static const Table table{tables::progesterone,
                             {autoId(progesterone::id), whole(progesterone::seasonId),
                              text(progesterone::taken), real(progesterone::value),
                              text(progesterone::unit), text(progesterone::laboratory)}};
    return table;
}

const Index &progesteroneSeasonsIndex()
{
    using namespace fields;
    static const Index index{indexes::progesteroneSeasonIds, tables::progesterone,
                             progesterone::seasonId, quoted(progesterone::seasonId)};
    return index;
}

const Table &weightTable()
{
    using namespace fields;
    static const Table table{
        tables::weights,
        {autoId(weights::id), whole(weights::dogId), text(weights::weighed), real(weights::grams)}};
    return table;
}

const Table &whelpingTable()
{
    using namespace fields;
    static const Table table{tables::whelping,
                             {autoId(whelping::id), whole(whelping::litterId),
                              whole(whelping::dogId), whole(whelping::order), text(whelping::born),
                              text(whelping::markings), text(whelping::collar),
                              real(whelping::birthGrams), whole(whelping::alive)}};
    return table;
}

const std::vector<Index> &weightAndWhelpingIndexes()
{
    using namespace fields;
    static const std::vector<Index> all{
        {indexes::weightDogIds, tables::weights, weights::dogId, quoted(weights::dogId)},
        {indexes::whelpingLitterIds, tables::whelping, whelping::litterId,
         quoted(whelping::litterId)},
        {indexes::whelpingDogIds, tables::whelping, whelping::dogId, quoted(whelping::dogId)},
    };
    return all;
}

const Table &photoTable()
{
    using namespace fields;
    static const Table table{tables::photos,
                             {autoId(photos::id), whole(photos::dogId), text(photos::file),
                              text(photos::caption), date(photos::taken), whole(photos::main)}};
    return table;
}

const Table &showResultTable()
{
    using namespace fields;
    static const Table table{tables::showResults,
                             {autoId(showResults::id), whole(showResults::dogId),
                              date(showResults::date), text(showResults::show),
                              text(showResults::judge), text(showResults::showClass),
                              text(showResults::placing), text(showResults::award),
                              text(showResults::title), text(showResults::titleShort)}};
    return table;
}

const std::vector<Index> &photoAndShowIndexes()
{
    using namespace fields;
    static const std::vector<Index> all{
        {indexes::photoDogIds, tables::photos, photos::dogId, quoted(photos::dogId)},
        {indexes::showResultDogIds, tables::showResults, showResults::dogId,
         quoted(showResults::dogId)},
    };
    return all;
}

const Table &waitingListTable()
{
    using namespace fields;
    static const Table table{
        tables::waitingList,
        {autoId(waitingList::id), whole(waitingList::contactId), date(waitingList::enquired),
         text(waitingList::sex), text(waitingList::colour), text(waitingList::breed),
         whole(waitingList::litterId), text(waitingList::status), whole(waitingList::pick),
         whole(waitingList::dogId), text(waitingList::note)}};
    return table;
}

const Table &depositTable()
{
    using namespace fields;
    static const Table table{tables::deposits,
                             {autoId(deposits::id), whole(deposits::entryId),
                              amount(deposits::amount), date(deposits::paid),
                              text(deposits::method), text(deposits::outcome),
                              whole(deposits::litterId), whole(deposits::salesId),
                              date(deposits::refunded), amount(deposits::refundAmount)}};
    return table;
}

const Table &accountTable()
{
    using namespace fields;
    static const Table table{tables::accounts,
                             {autoId(accounts::id), date(accounts::date), amount(accounts::amount),
                              text(accounts::kind), text(accounts::category), text(accounts::note),
                              whole(accounts::dogId), whole(accounts::litterId),
                              whole(accounts::contactId), text(accounts::source),
                              whole(accounts::sourceId)}};
    return table;
}

const Table &contractTable()
{
    using namespace fields;
    static const Table table{tables::contracts,
                             {autoId(contracts::id), whole(contracts::salesId),
                              whole(contracts::dogId), whole(contracts::contactId),
                              date(contracts::issued), text(contracts::text)}};
    return table;
}

const std::vector<Index> &moneyIndexes()
{
    using namespace fields;
    static const std::vector<Index> all{
        {indexes::waitingContactIds, tables::waitingList, waitingList::contactId,
         quoted(waitingList::contactId)},
        {indexes::waitingLitterIds, tables::waitingList, waitingList::litterId,
         quoted(waitingList::litterId)},
        {indexes::waitingDogIds, tables::waitingList, waitingList::dogId,
         quoted(waitingList::dogId)},
        {indexes::depositEntryIds, tables::deposits, deposits::entryId, quoted(deposits::entryId)},
        {indexes::accountDates, tables::accounts, accounts::date, quoted(accounts::date)},
        {indexes::accountSources, tables::accounts, accounts::sourceId,
         quoted(accounts::source) % QStringLiteral(", ") % quoted(accounts::sourceId)},
        {indexes::accountCategories, tables::accounts, accounts::category},
        {indexes::accountLitterIds, tables::accounts, accounts::litterId,
         quoted(accounts::litterId)},
        {indexes::accountDogIds, tables::accounts, accounts::dogId, quoted(accounts::dogId)},
        {indexes::accountContactIds, tables::accounts, accounts::contactId,
         quoted(accounts::contactId)},
        {indexes::contractSalesIds, tables::contracts, contracts::salesId,
         quoted(contracts::salesId)},
    };
    return all;
}

const Schema &kennelSchema()
{
    using namespace fields;
    static const Schema schema{
        {
            {tables::dogs,
             {autoId(dogs::id), whole(dogs::number), text(dogs::name), text(dogs::registration),
              text(dogs::sex), text(dogs::colour), text(dogs::countryOfBirth), date(dogs::born),
              date(dogs::died), text(dogs::breeder), text(dogs::breed), text(dogs::microchip),
              text(dogs::tattoo), text(dogs::sire), text(dogs::dam), text(dogs::owner),
              amount(dogs::soldFor), date(dogs::sold)}},
            {tables::contacts,
             std::vector<Column>{autoId(contacts::id)} +
                 texts({contacts::name, contacts::title, contacts::address, contacts::city,
                        contacts::state, contacts::postcode, contacts::country, contacts::phone,
                        contacts::fax, contacts::email, contacts::web, contacts::notes,
                        contacts::breeder, contacts::prefix, contacts::breeds})},
            {tables::matings,
             {text(matings::sire), text(matings::dam), date(matings::mated), date(matings::due)}},
            {tables::litters,
             {autoId(litters::id), text(litters::sire), text(litters::dam), whole(litters::size),
              date(litters::born), text(litters::breed)}},
            {tables::vaccinations,
             {text(vaccinations::dogName), whole(vaccinations::dogId), text(vaccinations::kind),
              date(vaccinations::given), date(vaccinations::due)}},
            {tables::notes,
             {whole(notes::dogId),
              date(notes::date),
              {notes::text, ColumnKind::Text,
               QStringLiteral("length(") % quoted(notes::text) % QStringLiteral(") <= 100")}}},
            {tables::setup, texts({setup::kennel, setup::name, setup::address, setup::city,
                                   setup::state, setup::postcode, setup::country, setup::phone,
                                   setup::fax, setup::email, setup::web, setup::registration})},
            {tables::breeds, {text(breeds::name)}},
            {tables::preferences, texts({preferences::name, preferences::value})},
            changeSetTable(),
            changeLogTable(),
            healthTestTable(),
            healthResultTable(),
            seasonTable(),
            progesteroneTable(),
            weightTable(),
            whelpingTable(),
            photoTable(),
            showResultTable(),
            waitingListTable(),
            depositTable(),
            accountTable(),
            contractTable(),
        },
        std::vector<Index>{
            {indexes::dogNames, tables::dogs, dogs::name},
            {indexes::matingDams, tables::matings, matings::dam},
            // The month lists look for one month's dates among a large kennel's.
            birthMonthsIndex(),
            vaccinationMonthsIndex(),
            litterMonthsIndex(),
        } + linkIndexes() +
            std::vector<Index>{dogOwnersIndex(), changesOfSetIndex(), changesOfRecordIndex()} +
            healthResultIndexes() +
            std::vector<Index>{seasonDogsIndex(), progesteroneSeasonsIndex()} +
            weightAndWhelpingIndexes() + photoAndShowIndexes() + moneyIndexes(),
    };
    return schema;
}

const std::vector<Column> &receiptDeposit()
{
    using namespace fields;
    static const std::vector<Column> columns{amount(sales::deposit), amount(sales::balance)};
    return columns;
}

const Schema &reportSchema()
{
    using namespace fields;
    static const std::vector<Column> saleDetails{
        text(sales::seller), amount(sales::amount),     text(sales::breed),  text(sales::colour),
        text(sales::born),   text(sales::registration), text(sales::prefix), date(sales::date),
        text(sales::dog),    text(sales::buyer),        text(sales::sex)};
    static const Schema schema{
        {
            {tables::pedigree,
             texts({pedigree::dog, pedigree::breeder, pedigree::breed, pedigree::born,
                    pedigree::colour, pedigree::countryOfBirth, pedigree::sex}) +
                 pedigreeSlots()},
            {tables::sales, std::vector<Column>{autoId(sales::id)} + saleDetails},
            {tables::smallReceipt,
             saleDetails + std::vector<Column>{whole(sales::number)} + receiptDeposit()},
            {tables::pedigreeReceipt,
             std::vector<Column>{amount(pedigreeReceipt::amount), text(pedigree::breed),
                                 text(pedigree::colour), text(pedigree::born),
                                 date(pedigreeReceipt::date), text(pedigree::dog),
                                 text(pedigreeReceipt::buyer), text(pedigree::sex)} +
                 pedigreeSlots() + std::vector<Column>{whole(pedigreeReceipt::id)} +
                 receiptDeposit()},
        },
        {},
    };
    return schema;
}

} // namespace db
