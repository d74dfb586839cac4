#include "ui/RecordHistory.h"

#include "core/DateText.h"
#include "core/Messages.h"
#include "db/ChangeLog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {
namespace {

QString whenText(const QDateTime &time)
{
    return core::datetext::shortDate(time.date()) + QLatin1Char(' ') +
           time.time().toString(QStringLiteral("HH:mm"));
}

} // namespace

RecordHistory::RecordHistory(const BoundRecord &record, const QString &title, QWidget *parent)
    : QDialog(parent), m_table(new QTableWidget(this))
{
    setObjectName(QStringLiteral("RecordHistory"));
    setWindowTitle(title);
    const QStringList headers{QStringLiteral("Date"), QStringLiteral("Change"),
                              QStringLiteral("Field"), QStringLiteral("Was"),
                              QStringLiteral("Became")};
    m_table->setObjectName(QStringLiteral("historyTable"));
    m_table->setColumnCount(int(headers.size()));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);

    QList<db::FieldChange> changes;
    QString error;
    const db::TableCursor &cursor = record.cursor();
    if (!db::historyOf(cursor.database(), cursor.table(), cursor.rowId(), &changes, &error))
        core::tell(QStringLiteral("The history cannot be read: %1").arg(error));
    for (const db::FieldChange &change : std::as_const(changes)) {
        QString field;
        QString was;
        QString became;
        if (change.field.isEmpty()) {
            became = change.kind == QLatin1String("remove") ? QStringLiteral("(deleted)")
                                                            : QStringLiteral("(added)");
        } else {
            field = record.fields().caption(change.field);
            was = change.before.isNull() ? QString() : record.shown(change.field, change.before);
            became = change.after.isNull() ? QString() : record.shown(change.field, change.after);
        }
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        const QStringList texts{whenText(change.time), change.what, field, was, became};
        for (int column = 0; column < texts.size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
    m_table->resizeColumnsToContents();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    if (changes.isEmpty())
        layout->addWidget(new QLabel(QStringLiteral("No change to this record has been kept.")));
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(760, 360);
}

void RecordHistory::open(const BoundRecord &record, const QString &title, QWidget *over)
{
    if (!record.cursor().hasRow())
        return;
    auto *history = new RecordHistory(record, title, over);
    history->setAttribute(Qt::WA_DeleteOnClose);
    history->QDialog::open();
}

} // namespace ui
