#include "dogs/BlankDogs.h"

#include "core/NumberText.h"
#include "db/Transaction.h"

#include <QSqlQuery>

namespace dogs {

int addBlankDogs(QSqlDatabase db, int count)
{
    if (count <= 0)
        return 0;
    db::Transaction batch(db);
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO Dogtable (name) VALUES (?)"));
    int added = 0;
    for (int i = 1; i <= count; ++i) {
        insert.addBindValue(QString(QStringLiteral("NEWENTRY") + core::signedText(i)));
        // A failed statement undoes only itself; the batch goes on.
        if (insert.exec())
            ++added;
    }
    return batch.commit() ? added : 0;
}

} // namespace dogs
