#include "inbreeding/SireRanking.h"

#include <cmath>

namespace inbreeding {

void SireRanking::setChoices(std::vector<genetics::SireChoice> choices,
                             const genetics::KennelGraph &graph)
{
    beginResetModel();
    m_choices = std::move(choices);
    m_names.clear();
    m_names.reserve(m_choices.size());
    for (const genetics::SireChoice &choice : m_choices)
        m_names.push_back(graph.name(choice.dog));
    endResetModel();
}

int SireRanking::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_choices.size());
}

int SireRanking::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant SireRanking::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != sortRole))
        return {};
    const genetics::SireChoice &choice = m_choices[size_t(index.row())];
    if (index.column() == Sire)
        return m_names[size_t(index.row())];
    const bool belowLoop = std::isnan(choice.litterInbreeding);
    // Males below a loop have no figures and sort after every other, as does a risk that
    // cannot be known.
    if (index.column() == AffectedRisk) {
        if (role == sortRole)
            return std::isnan(choice.affectedRisk) ? 2.0 : choice.affectedRisk;
        if (belowLoop)
            return QStringLiteral("loop");
        return std::isnan(choice.affectedRisk)
                   ? QStringLiteral("not known")
                   : genetics::litterPercent(choice.affectedRisk, false);
    }
    if (index.column() == Completeness) {
        if (role == sortRole)
            return belowLoop ? -1.0 : choice.completeness;
        return belowLoop ? QStringLiteral("loop") : QString::number(choice.completeness, 'f', 2);
    }
    const double value = index.column() == LitterInbreeding ? choice.litterInbreeding
                         : index.column() == Relationship   ? choice.relationship
                                                            : choice.meanKinship;
    if (role == sortRole)
        return std::isnan(value) ? 2.0 : value;
    return std::isnan(value) ? QStringLiteral("loop") : genetics::percent(value);
}

QVariant SireRanking::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Sire:
        return QStringLiteral("Sire");
    case LitterInbreeding:
        return QStringLiteral("Litter COI");
    case Relationship:
        return QStringLiteral("Relationship");
    case MeanKinship:
        return QStringLiteral("Mean kinship");
    case AffectedRisk:
        return QStringLiteral("Affected risk");
    default:
        return QStringLiteral("Pedigree completeness");
    }
}

} // namespace inbreeding
