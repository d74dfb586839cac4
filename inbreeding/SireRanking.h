#pragma once

#include "genetics/KennelGenetics.h"

#include <QAbstractTableModel>
#include <vector>

namespace inbreeding {

// The living males ranked for a dam: sire, the inbreeding of the litter, his relationship
// with her, his mean kinship with the breed's living young dogs, the share of pups that could
// show a condition, his pedigree's completeness.
// Sorts by the numbers themselves, not by their text.
class SireRanking : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        Sire,
        LitterInbreeding,
        Relationship,
        MeanKinship,
        AffectedRisk,
        Completeness,
        Columns
    };
    static constexpr int sortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;
    void setChoices(std::vector<genetics::SireChoice> choices, const genetics::KennelGraph &graph);
    QString sireName(int row) const { return m_names[size_t(row)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<genetics::SireChoice> m_choices;
    std::vector<QString> m_names;
};

} // namespace inbreeding
