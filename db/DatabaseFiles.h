#pragma once

#include "db/FileKind.h"
#include "db/SqliteHandle.h"

#include <functional>
#include <QSqlDatabase>
#include <QString>

namespace db {

// The two database files in the working folder, opened by bare name.
class DatabaseFiles
{
public:
    static QString fileName(File file);
    // The folder beside them that holds the dogs' photos, which the kennel file lists.
    static QString photosFolder() { return QStringLiteral("photos"); }

    // Checks both files, creates what is missing (files, tables, columns, indexes, the setup
    // row and the breed list), brings an older file's layout up to date step by step and
    // keeps both open. An empty result means success; otherwise
    // it is the message for the user, and no file has been touched.
    static QString open();
    static void close();
    // A file written by a newer Houndry is opened read-only, with both files, and never
    // written: the notice says which program wrote it, for the user.
    static bool isReadOnly();
    static QString readOnlyNotice();

    // Tries the pair of files in another folder (an archive unpacked for a restore) as start-up
    // would open them, on connections of its own: the checks, the layout's upgrade, the
    // journal and the attach, and refuses triggers, views and layouts Houndry cannot work
    // with. The copy is left prepared. An empty result means it can be used. `stop` may cut
    // the checks short; the copy is then refused.
    static QString tryCopy(const QString &folder, const StopWhen *stop = nullptr);

    // Checks every page of one of the open files on a read-only connection of the calling
    // thread, as the program does on a thread of its own once the menu is up. It gives way to
    // the program's writes and starts again after them; `cancelled`, or opening the files
    // again, ends it early. The message for the user when the file is damaged, else empty.
    static QString checkPages(File file, const std::function<bool()> &cancelled);
    // How many times the files have been opened: a check begun before the last opening is
    // of files no longer in use.
    static quint64 openings();

    static QSqlDatabase database(File file);
    static QSqlDatabase kennel() { return database(File::Kennel); }
    static QSqlDatabase report() { return database(File::Report); }
};

} // namespace db
