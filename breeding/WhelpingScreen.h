#pragma once

#include "breeding/Whelping.h"
#include "ui/Screen.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace breeding {

class LitterChooser;

// "Whelping": the pups of a litter in the order of birth, typed into a table, each one filling
// its dog record.
class WhelpingScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Whelping"); }
    explicit WhelpingScreen(QWidget *parent = nullptr);
    // Shows this litter, saving what was typed for the one on view first.
    void showLitter(qint64 litterId);
    bool settle() override;
    void refresh() override;

protected:
    void load() override;

private:
    void fillLitters(qint64 chosen);
    void showPups();
    void addRow(const kennel::WhelpedPup &pup);
    // What the table holds, or nothing after telling the user what is wrong with it.
    std::optional<std::vector<kennel::WhelpedPup>> typedPups();
    bool save();

    std::optional<Litter> m_litter;
    std::vector<qint64> m_dogIds; // of each row, 0 for a pup added here
    bool m_edited = false;
    bool m_filling = false;
    LitterChooser *m_litterList;
    QLabel *m_heading;
    QTableWidget *m_pups;
};

} // namespace breeding
