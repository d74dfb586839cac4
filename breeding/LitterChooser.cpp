#include "breeding/LitterChooser.h"

#include "db/DatabaseFiles.h"

namespace breeding {

LitterChooser::LitterChooser(QWidget *parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("litter"));
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < int(m_litters.size()))
            Q_EMIT litterChosen(m_litters[size_t(index)].id);
    });
}

std::optional<Litter> LitterChooser::fill(qint64 chosen)
{
    m_litters = kennel::allLitters(db::DatabaseFiles::kennel()).value_or(std::vector<Litter>{});
    const QSignalBlocker quiet(this);
    clear();
    int shown = m_litters.empty() ? -1 : 0;
    for (size_t i = 0; i < m_litters.size(); ++i) {
        addItem(m_litters[i].label());
        if (m_litters[i].id == chosen)
            shown = int(i);
    }
    setCurrentIndex(shown);
    if (shown < 0)
        return std::nullopt;
    return m_litters[size_t(shown)];
}

} // namespace breeding
