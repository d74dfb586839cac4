#pragma once

#include "ui/ChooserScreen.h"
#include "ui/Screen.h"

#include <QHash>

class QLabel;

namespace pedigree {

// "View a Pedigree": a dog and the number of generations to show.
class ViewPedigreeScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form24"); }
    explicit ViewPedigreeScreen(QWidget *parent = nullptr);
    ui::PickList *list() const { return m_list; }

Q_SIGNALS:
    // The pedigree record holds the built pedigree of this many generations.
    void pedigreeBuilt(int generations);

protected:
    void load() override;

private:
    void view(int generations);

    ui::PickList *m_list;
};

// "Onscreen 3 Generation Pedigree": fifteen framed names; saves the record for printing
// once it is on view.
class Pedigree3Screen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form5"); }
    explicit Pedigree3Screen(QWidget *parent = nullptr);
    // Fills the boxes from the record as built (empty slots stay empty), then saves it.
    void showRecord();
    QString boxText(const QString &slot) const;

Q_SIGNALS:
    void printRequested();
    void certificateRequested();

protected:
    void load() override;

private:
    QHash<QString, QLabel *> m_boxes;
    QLabel *m_inbreeding;
};

// "4 Generation On Screen Pedigree": thirty-one names in four columns.
class Pedigree4Screen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form25"); }
    explicit Pedigree4Screen(QWidget *parent = nullptr);
    void showRecord();
    QString labelText(const QString &slot) const;

Q_SIGNALS:
    void certificateRequested();

private:
    QHash<QString, QLabel *> m_labels;
    QLabel *m_inbreeding;
};

// "View Possible Mating": the pedigree the pups of a chosen sire and dam would have.
class PossibleMatingScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form23"); }
    explicit PossibleMatingScreen(QWidget *parent = nullptr);
    ui::PickList *sires() const { return m_sires; }
    ui::PickList *dams() const { return m_dams; }

Q_SIGNALS:
    void pedigreeBuilt(int generations);

protected:
    void load() override;

private:
    void viewPedigree();

    ui::PickList *m_sires;
    ui::PickList *m_dams;
};

} // namespace pedigree
