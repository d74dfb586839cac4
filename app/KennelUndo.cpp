#include "app/KennelUndo.h"

#include "core/DateText.h"
#include "core/Messages.h"
#include "db/ChangeLog.h"
#include "db/DatabaseFiles.h"
#include "ui/ScreenHost.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>

namespace app {
namespace {

// Whether the focused box has typing of its own that Ctrl+Z would undo. A pick list or a
// number box types into a line edit of its own, which passes the key on to it.
bool boxHasItsOwnUndo(const QWidget *focused)
{
    if (const auto *list = qobject_cast<const QComboBox *>(focused); list && list->lineEdit())
        return boxHasItsOwnUndo(list->lineEdit());
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(focused))
        return boxHasItsOwnUndo(spin->findChild<QLineEdit *>());
    if (const auto *line = qobject_cast<const QLineEdit *>(focused))
        return !line->isReadOnly() && line->isUndoAvailable();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(focused))
        return !plain->isReadOnly() && plain->document()->isUndoAvailable();
    if (const auto *rich = qobject_cast<const QTextEdit *>(focused))
        return !rich->isReadOnly() && rich->document()->isUndoAvailable();
    return false;
}

} // namespace

KennelUndo::KennelUndo(ui::ScreenHost &screens, QStatusBar *status, QObject *parent)
    : QObject(parent), m_screens(screens), m_status(status),
      m_action(new QAction(QStringLiteral("&Undo"), this))
{
    m_action->setObjectName(QStringLiteral("undoAction"));
    m_action->setShortcut(QKeySequence::Undo);
    connect(m_action, &QAction::triggered, this, &KennelUndo::undo);
    qApp->installEventFilter(this);
}

void KennelUndo::undo()
{
    if (!m_screens.settleAll())
        return;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const db::ChangeSummary latest = db::latestChange(kennel);
    if (latest.id == 0) {
        core::tell(QStringLiteral("There is no change to undo."));
        return;
    }
    if (!core::askYesFirst(QStringLiteral("Undo \u201c%1\u201d, made %2 at %3?")
                               .arg(latest.what, core::datetext::shortDate(latest.time.date()),
                                    latest.time.time().toString(QStringLiteral("HH:mm")))))
        return;
    const auto undone = db::undoLatestChange(kennel);
    if (!undone) {
        core::tell(undone.problem());
        return;
    }
    m_screens.refreshAll();
    m_status->showMessage(QStringLiteral("Undone: %1").arg(undone.value()), 10000);
}

bool KennelUndo::eventFilter(QObject *watched, QEvent *event)
{
    // A text box claims Ctrl+Z whether or not it has anything to undo; without typing of its
    // own the key is left to the kennel's Undo.
    if (event->type() == QEvent::ShortcutOverride && watched == QApplication::focusWidget() &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Undo) &&
        !boxHasItsOwnUndo(QApplication::focusWidget()))
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace app
