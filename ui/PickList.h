#pragma once

#include <memory>
#include <QCollator>
#include <QComboBox>
#include <vector>

class QCompleter;
class QStringListModel;

namespace ui {

class NameListModel;

// An editable pick list: the user chooses an entry or types any text, which is taken as it
// stands. It may show a prompt ("Select a Dog") until something is chosen.
class PickList : public QComboBox
{
    Q_OBJECT
public:
    enum class Order { AsGiven, Alphabetical };

    explicit PickList(QWidget *parent = nullptr);
    ~PickList() override;

    void setEntries(QStringList entries, Order order = Order::AsGiven);
    QStringList entries() const;
    // Alphabetical as the user reads it: case and accents do not lead.
    static void sortAlphabetically(QStringList &entries);
    static QCollator alphabeticalCollator();
    // Several lists over one long list of names share it instead of copying it.
    void setSharedEntries(std::shared_ptr<NameListModel> model);

    void setPrompt(const QString &prompt);
    QString prompt() const { return m_prompt; }
    bool showsPrompt() const { return currentText() == m_prompt; }

    QString text() const { return currentText(); }
    void setText(const QString &text);

    // The list of entries offered as the user types.
    QWidget *completionPopup() const;

Q_SIGNALS:
    // The user changed the text: typed, or took an entry from either list. Never sent for
    // what the program sets.
    void textChosen(const QString &text);

private:
    void configureView();
    void offerCompletions(const QString &typed);
    void showEntries(NameListModel *model);

    QString m_prompt;
    QCompleter *m_completer;
    QStringListModel *m_matches;
    std::shared_ptr<NameListModel> m_shared;
};

} // namespace ui
