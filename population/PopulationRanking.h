#pragma once

#include "population/PopulationStudy.h"

#include <QAbstractTableModel>
#include <vector>

namespace population {

// The living dogs with their mean kinship, COI and completeness, sortable by every column
// (by the numbers, not their text), each row coloured by the quarter of mean kinship it
// falls in: green for the rarest lines, red for the commonest.
class PopulationRanking : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Name, Sex, Born, MeanKinship, Coi, Generations, Columns };

    using QAbstractTableModel::QAbstractTableModel;
    // Dogs ranked lowest mean kinship first.
    void setDogs(std::vector<RankedDog> dogs);
    const std::vector<RankedDog> &dogs() const { return m_dogs; }
    // 0 for the quarter of lowest mean kinship, 3 for the highest.
    int quarter(int row) const { return m_quarters[size_t(row)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    std::vector<RankedDog> m_dogs;
    std::vector<unsigned char> m_quarters;
};

} // namespace population
