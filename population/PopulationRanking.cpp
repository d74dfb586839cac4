#include "population/PopulationRanking.h"

#include <algorithm>
#include <QColor>

namespace population {

void PopulationRanking::setDogs(std::vector<RankedDog> dogs)
{
    beginResetModel();
    m_dogs = std::move(dogs);
    m_quarters.resize(m_dogs.size());
    for (size_t i = 0; i < m_dogs.size(); ++i)
        m_quarters[i] = static_cast<unsigned char>(4 * i / m_dogs.size());
    endResetModel();
}

int PopulationRanking::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_dogs.size());
}

int PopulationRanking::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant PopulationRanking::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const RankedDog &dog = m_dogs[size_t(index.row())];
    if (role == Qt::BackgroundRole) {
        static const QColor bands[] = {QColor(0xd8, 0xf0, 0xd8), QColor(0xee, 0xf6, 0xd8),
                                       QColor(0xfb, 0xee, 0xd5), QColor(0xf8, 0xdc, 0xd8)};
        return bands[m_quarters[size_t(index.row())]];
    }
    if (role == Qt::TextAlignmentRole && index.column() >= Born)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Name:
        return dog.name;
    case Sex:
        return dog.sex;
    case Born:
        return dog.born.isValid() ? QString::number(dog.born.year()) : QString();
    case MeanKinship:
        return genetics::percent(dog.meanKinship);
    case Coi:
        return genetics::percent(dog.coi);
    default:
        return twoDecimals(dog.generations);
    }
}

QVariant PopulationRanking::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList captions{QStringLiteral("Name"), QStringLiteral("Sex"),
                                      QStringLiteral("Born"), QStringLiteral("Mean kinship"),
                                      QStringLiteral("COI"),  QStringLiteral("ECG")};
    return captions.value(section);
}

void PopulationRanking::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= Columns)
        return;
    // Each row keeps its quarter as it moves.
    std::vector<size_t> rows(m_dogs.size());
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = i;
    auto key = [&](size_t row) -> std::tuple<QString, double> {
        const RankedDog &dog = m_dogs[row];
        switch (column) {
        case Name:
            return {dog.name, 0.0};
        case Sex:
            return {dog.sex, 0.0};
        case Born:
            return {QString(), dog.born.isValid() ? double(dog.born.toJulianDay()) : 0.0};
        case MeanKinship:
            return {QString(), dog.meanKinship};
        case Coi:
            return {QString(), dog.coi};
        default:
            return {QString(), dog.generations};
        }
    };
    const bool byText = column == Name || column == Sex;
    std::stable_sort(rows.begin(), rows.end(), [&](size_t a, size_t b) {
        const auto [textA, numberA] = key(a);
        const auto [textB, numberB] = key(b);
        const int compared = byText ? textA.compare(textB, Qt::CaseInsensitive)
                                    : (numberA < numberB   ? -1
                                       : numberB < numberA ? 1
                                                           : 0);
        return order == Qt::AscendingOrder ? compared < 0 : compared > 0;
    });
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<RankedDog> dogs;
    std::vector<unsigned char> quarters;
    dogs.reserve(rows.size());
    quarters.reserve(rows.size());
    for (const size_t row : rows) {
        dogs.push_back(std::move(m_dogs[row]));
        quarters.push_back(m_quarters[row]);
    }
    m_dogs = std::move(dogs);
    m_quarters = std::move(quarters);
    std::vector<int> movedTo(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        movedTo[rows[i]] = int(i);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex &index : before)
        after << this->index(movedTo[size_t(index.row())], index.column());
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace population
