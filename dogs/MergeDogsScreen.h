#pragma once

#include "genetics/PedigreeChecks.h"
#include "ui/Screen.h"

#include <QHash>
#include <QVariant>

class QComboBox;
class QGridLayout;
class QPushButton;

namespace ui {
class PickList;
}

namespace dogs {

// "Merge Dogs": two records of one dog side by side, field by field, each field's value
// chosen from either; Merge hands the choice on, to be carried out by whoever opened it.
class MergeDogsScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("MergeDogs"); }
    explicit MergeDogsScreen(QWidget *parent = nullptr);

    qint64 keptId() const { return m_kept; }
    qint64 mergedId() const { return m_merged; }
    QString keptName() const;
    QString mergedName() const;
    // The fields whose value comes from the merged record: field -> stored value.
    QHash<QString, QVariant> chosen() const;
    // Offers the pairs that are likely one dog in a list of their own, the first of them
    // chosen: the earlier record is kept and the later merged into it.
    void offerDuplicates(const std::vector<genetics::PedigreeProblem> &duplicates);

Q_SIGNALS:
    void mergeChosen();

protected:
    void load() override;

private:
    void compare();
    void choosePair(int index);

    ui::PickList *m_keep;
    ui::PickList *m_merge;
    QComboBox *m_duplicates;
    QWidget *m_duplicatesRow;
    std::vector<genetics::PedigreeProblem> m_offered;
    QGridLayout *m_fields;
    QPushButton *m_mergeButton;
    qint64 m_kept = 0;
    qint64 m_merged = 0;
    QHash<QString, QVariant> m_keptValues;
    QHash<QString, QVariant> m_mergedValues;
};

} // namespace dogs
