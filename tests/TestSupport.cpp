#include "tests/TestSupport.h"

#include "db/DatabaseFiles.h"
#include "db/Schema.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <unistd.h>

namespace testing {

MessageRecorder::MessageRecorder()
{
    core::Messages::install(this);
}

MessageRecorder::~MessageRecorder()
{
    core::Messages::install(nullptr);
}

void MessageRecorder::ok(const QString &text, const QString &title)
{
    texts << text;
    titles << title;
}

bool MessageRecorder::yesNo(const QString &text, const QString &title, Icon icon, Default byDefault)
{
    defaults << byDefault;
    texts << text;
    titles << title;
    icons << icon;
    return answers.isEmpty() ? false : answers.takeFirst();
}

TinyDisk::TinyDisk(int kilobytes)
{
    if (::geteuid() != 0) {
        m_reason = QStringLiteral("a full disk needs a tmpfs mounted, which needs root");
        return;
    }
    const int status = QProcess::execute(
        QStringLiteral("mount"),
        {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
         QStringLiteral("size=%1k").arg(kilobytes), QStringLiteral("tmpfs"), m_dir.path()});
    m_mounted = status == 0;
    if (!m_mounted)
        m_reason = QStringLiteral("mount -t tmpfs was refused here");
}

TinyDisk::~TinyDisk()
{
    if (m_mounted)
        QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
}

WorkingFolder::WorkingFolder() : m_previous(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

WorkingFolder::~WorkingFolder()
{
    db::DatabaseFiles::close();
    QDir::setCurrent(m_previous);
}

Kennel::Kennel()
{
    const QString problem = db::DatabaseFiles::open();
    if (!problem.isEmpty())
        qFatal("could not open the test kennel: %s", qPrintable(problem));
}

QSqlDatabase Kennel::db() const
{
    return db::DatabaseFiles::kennel();
}

QSqlDatabase Kennel::report() const
{
    return db::DatabaseFiles::report();
}

static QSqlQuery run(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery q(db);
    q.prepare(sql);
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return q;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeKennelWithDamagedPages()
{
    if (const QString problem = db::DatabaseFiles::open(); !problem.isEmpty())
        qFatal("%s", qPrintable(problem));
    for (int i = 0; i < 300; ++i)
        exec(db::DatabaseFiles::kennel(), "INSERT INTO Dogtable (name, registration) VALUES (?, ?)",
             {QString("Dog %1").arg(i), QString(200, 'r')});
    db::DatabaseFiles::close();
    QFile file("kennelbase.ddx");
    if (!file.open(QIODevice::ReadWrite) || !file.seek(4096 * 2) ||
        file.write(QByteArray(4096 * 4, '\xA5')) != 4096 * 4)
        qFatal("the kennel's pages cannot be overwritten");
}

void exec(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    run(db, sql, values);
}

QVariant scalar(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery q = run(db, sql, values);
    return q.next() ? q.value(0) : QVariant();
}

qint64 addDog(const QSqlDatabase &db, const QVariantMap &fields)
{
    QStringList columns;
    QStringList marks;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        columns << db::quoted(it.key());
        marks << QStringLiteral("?");
    }
    QSqlQuery q = run(db,
                      QStringLiteral("INSERT INTO Dogtable (%1) VALUES (%2)")
                          .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                      fields.values());
    return q.lastInsertId().toLongLong();
}

static QWidget *keyTarget()
{
    QWidget *target = QApplication::activePopupWidget();
    if (!target)
        target = QApplication::focusWidget();
    if (!target)
        qFatal("no widget has the keyboard focus");
    return target;
}

QString contentsOf(const QSqlDatabase &kennel)
{
    QString all;
    QStringList tables{"Dogtable",    "contacts", "mating",      "litters",
                       "vaccination", "notes",    "report.sales"};
    for (const QString &table : tables) {
        QSqlQuery q(kennel);
        if (!q.exec("SELECT rowid, * FROM " + table + " ORDER BY rowid"))
            return q.lastError().text();
        all += table + '\n';
        while (q.next()) {
            for (int i = 0; i < q.record().count(); ++i)
                all += (q.isNull(i) ? QString("<null>") : q.value(i).toString()) + '|';
            all += '\n';
        }
    }
    return all;
}

void typeKeys(const QString &text)
{
    // One at a time: the first letter may open a popup that takes the next.
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(keyTarget(), QString(c));
            continue;
        }
        // A letter that a keyboard layout gives directly, such as é.
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(keyTarget(), &key);
        }
    }
}

void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(keyTarget(), key, modifiers);
}

void focusOn(QWidget *widget)
{
    QWidget *window = widget->window();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qFatal("the window did not become active");
    widget->setFocus(Qt::OtherFocusReason);
    if (!QTest::qWaitFor([widget] { return widget->hasFocus(); }))
        qFatal("the widget did not take the focus");
}

} // namespace testing
