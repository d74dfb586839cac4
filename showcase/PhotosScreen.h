#pragma once

#include "showcase/Photos.h"
#include "ui/Screen.h"

#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;

namespace showcase {

// "Photos": one dog's photos, added from files or dropped from the file manager, each with a
// caption and the day it was taken, one of them the main photo shown with the dog.
class PhotosScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Photos"); }
    explicit PhotosScreen(QWidget *parent = nullptr);

    // Shows this dog's photos, saving what was typed for the one on view first.
    void showDog(qint64 dogId, const QString &name);
    // Adds these image files to the dog; tells the user which could not be added and why.
    void addFiles(const QStringList &paths);
    bool settle() override;
    void refresh() override { fill(); }

protected:
    void load() override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void fill(int chosen = 0);
    void showChosen();
    int chosenRow() const;
    bool saveChosen();
    void chooseFiles();
    void makeMain();
    void removeChosen();

    qint64 m_dogId = 0;
    QString m_name;
    std::vector<Photo> m_photos;
    QLabel *m_heading;
    QListWidget *m_list;
    QLabel *m_preview;
    QLineEdit *m_caption;
    QLineEdit *m_taken;
};

} // namespace showcase
