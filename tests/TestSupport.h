#pragma once

#include "core/Messages.h"

#include <memory>
#include <QSqlDatabase>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QVariant>

namespace testing {

// Keeps every message instead of showing it, and answers Yes/No questions as scripted.
class MessageRecorder : public core::Messages
{
public:
    MessageRecorder();
    ~MessageRecorder() override;

    void ok(const QString &text, const QString &title) override;
    bool yesNo(const QString &text, const QString &title, Icon icon, Default byDefault) override;

    QStringList texts;
    QStringList titles;
    QList<Icon> icons; // of the questions, in turn
    QList<Default> defaults;
    QList<bool> answers; // taken in turn; No when none is left
};

// A folder on a file system of a few kilobytes, so that writes meet a full disk: a tmpfs
// mounted for the test, which needs root; `reason` says why there is none otherwise.
class TinyDisk
{
public:
    explicit TinyDisk(int kilobytes = 64);
    ~TinyDisk();
    bool mounted() const { return m_mounted; }
    QString reason() const { return m_reason; }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_reason;
};

// A fresh working folder for one test, left again (with both files closed) at the end.
class WorkingFolder
{
public:
    WorkingFolder();
    ~WorkingFolder();
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// A working folder with both database files open.
class Kennel : public WorkingFolder
{
public:
    Kennel();
    QSqlDatabase db() const;
    QSqlDatabase report() const;
};

// Runs a statement (values bound in order); fails the test when it fails.
void exec(const QSqlDatabase &db, const QString &sql, const QVariantList &values = {});
// The first column of the first row, or an invalid value when there is none.
QVariant scalar(const QSqlDatabase &db, const QString &sql, const QVariantList &values = {});
// Every row of the kennel's tables and of the sales ledger as text, to compare before and
// after; the change log is left out.
QString contentsOf(const QSqlDatabase &kennel);
// The whole content of a file; empty when it cannot be read.
QByteArray fileBytes(const QString &path);
// Makes the kennel in the working folder a file that SQLite opens but some of whose pages
// are overwritten: dogs enough to span them are added first. Both files are left closed.
void writeKennelWithDamagedPages();
// Adds a dog with these fields (field -> value) and returns its dogid.
qint64 addDog(const QSqlDatabase &db, const QVariantMap &fields);

// Keys as a keyboard delivers them: to an open popup (a completion list) first, otherwise
// to the focused widget of the active window.
void typeKeys(const QString &text);
void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Makes the widget's window the active one and gives the widget the keyboard focus.
void focusOn(QWidget *widget);

// Shows a screen and waits for its loading, which runs once it is on view.
template <class Screen, class... Args> std::unique_ptr<Screen> opened(Args... args)
{
    auto screen = std::make_unique<Screen>(args...);
    screen->show();
    if (!QTest::qWaitFor([&] { return screen->isLoaded(); }))
        qFatal("the screen did not load");
    return screen;
}

} // namespace testing
