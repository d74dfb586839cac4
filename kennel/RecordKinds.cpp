#include "kennel/RecordKinds.h"

#include "db/Tables.h"

namespace kennel::records {

QString dogs()
{
    return db::tables::dogs;
}

QString contacts()
{
    return db::tables::contacts;
}

} // namespace kennel::records
