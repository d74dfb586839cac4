#pragma once

#include "ui/Screen.h"

class QLabel;
class QLayout;
class QListWidget;

namespace ui {

// A dog's records one per line under a heading, with "Close": the mating history and the
// vaccination history.
class HistoryScreen : public Screen
{
    Q_OBJECT
public:
    QStringList lines() const;

protected:
    // The list is named after the caption for screen readers; `heading` stands above it.
    HistoryScreen(const QString &objectName, const QString &caption, QLayout *heading,
                  const QSize &minimum, QWidget *parent);
    void showLines(const QStringList &lines);
    static QLabel *boldLabel(const QString &objectName, const QString &text = {});

private:
    QListWidget *m_list;
};

} // namespace ui
