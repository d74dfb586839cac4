// Publishes the working folder's kennel as a website into <folder>, again and again, forever,
// so that a test can kill it at any moment:
//   site_publisher <folder>
#include "db/DatabaseFiles.h"
#include "showcase/Website.h"

#include <cstdio>
#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    // Photos are scaled with Qt's painting, which wants a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 2 || !db::DatabaseFiles::open().isEmpty())
        return 2;
    showcase::WebsiteChoice choice;
    choice.folder = arguments[1];
    choice.dogs = showcase::WebsiteChoice::Dogs::All;
    for (int round = 0;; ++round) {
        const showcase::Published published =
            showcase::publishWebsite(db::DatabaseFiles::kennel(), choice, QDir::currentPath());
        if (!published.problem.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(published.problem));
            return 1;
        }
        if (round == 0) {
            std::puts("working");
            std::fflush(stdout);
        }
    }
}
