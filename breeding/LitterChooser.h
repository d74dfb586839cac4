#pragma once

#include "breeding/Weights.h"

#include <QComboBox>

namespace breeding {

// The kennel's litters, latest first, to choose one from.
class LitterChooser : public QComboBox
{
    Q_OBJECT
public:
    explicit LitterChooser(QWidget *parent = nullptr);
    // Reads the litters again and shows this one, or the latest where it is gone; the litter
    // shown, nothing when there is none.
    std::optional<Litter> fill(qint64 chosen);

Q_SIGNALS:
    // The user chose another litter.
    void litterChosen(qint64 litterId);

private:
    std::vector<Litter> m_litters;
};

} // namespace breeding
