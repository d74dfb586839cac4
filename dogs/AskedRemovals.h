#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

namespace ui {
class Removals;
}

namespace dogs {

// "Delete Dog...": what the deletion touches is said and asked, with whether its offspring
// lose its name; then the dog is deleted, or what stopped it is said.
void deleteDogAsked(const ui::Removals &removals, qint64 dogId);
// "Merge Dogs...": asked, then `merged` is made one with `kept`, the fields as chosen.
void mergeDogsAsked(const ui::Removals &removals, qint64 kept, qint64 merged,
                    const QString &keptName, const QString &mergedName,
                    const QHash<QString, QVariant> &chosen);

} // namespace dogs
