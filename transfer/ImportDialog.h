#pragma once

#include "transfer/ImportPlan.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace transfer {

// "Import Dogs from CSV..." and "Import Contacts from CSV...": how the file is read and
// which column fills which field, what the rows would look like, a check of the whole file,
// what to do with rows that match one already in the kennel; then the import.
class ImportDialog : public QDialog
{
    Q_OBJECT
public:
    ImportDialog(const ImportTarget &target, const QString &file, QWidget *parent = nullptr);

    const ImportSettings &settings() const { return m_settings; }
    const ImportCheck &lastCheck() const { return m_check; }
    // Checks again with the choices shown; false when the file cannot be read.
    bool recheck();
    // Imports as chosen and tells the user how it went.
    void import();

private:
    QWidget *buildFormat();
    QWidget *buildMapping();
    QWidget *buildMatching();
    bool readsResults() const;
    void readChoices();
    void showPreview();
    void showCheck();

    const ImportTarget &m_target;
    QString m_file;
    ImportSettings m_settings;
    ImportCheck m_check;
    QStringList m_header;
    QComboBox *m_separator;
    QComboBox *m_encoding;
    QComboBox *m_dates;
    QSpinBox *m_yearsFrom;
    QTableWidget *m_mapping;
    QTableWidget *m_preview;
    QLabel *m_summary;
    QListWidget *m_problems;
    QButtonGroup *m_matching;
    QCheckBox *m_makeTests = nullptr; // health results only
    QPushButton *m_import;
};

} // namespace transfer
