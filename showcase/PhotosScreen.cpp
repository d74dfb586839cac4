#include "showcase/PhotosScreen.h"

#include "core/DateText.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "kennel/Changes.h"
#include "showcase/PhotoStore.h"
#include "ui/FieldGrid.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace showcase {
namespace {

constexpr int previewSize = 360;
constexpr int iconSize = 160;

QString imageFilter()
{
    return QStringLiteral("Photos (*.jpg *.jpeg *.png *.webp *.JPG *.JPEG *.PNG *.WEBP);;"
                          "All files (*)");
}

} // namespace

PhotosScreen::PhotosScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Photos"), parent), m_heading(new QLabel),
      m_list(new QListWidget), m_preview(new QLabel),
      m_caption(ui::textBox(QStringLiteral("caption"))),
      m_taken(ui::textBox(QStringLiteral("taken")))
{
    setAcceptDrops(true);
    m_heading->setObjectName(QStringLiteral("heading"));
    m_list->setObjectName(QStringLiteral("photoList"));
    m_list->setAccessibleName(QStringLiteral("Photos"));
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(iconSize, iconSize));
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_list->setWordWrap(true);
    m_list->setMinimumWidth(2 * iconSize + 40);
    m_preview->setObjectName(QStringLiteral("photoPreview"));
    m_preview->setAccessibleName(QStringLiteral("Photo"));
    m_preview->setFixedSize(previewSize, previewSize);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setWordWrap(true);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_taken->setPlaceholderText(core::datetext::typingHint());

    QPushButton *add = ui::pushButton(QStringLiteral("Add Photos..."), QStringLiteral("addPhotos"));
    QPushButton *save = ui::pushButton(QStringLiteral("Save"), QStringLiteral("savePhoto"));
    QPushButton *main =
        ui::pushButton(QStringLiteral("Make Main Photo"), QStringLiteral("makeMainPhoto"));
    QPushButton *remove =
        ui::pushButton(QStringLiteral("Remove Photo..."), QStringLiteral("removePhoto"));
    connect(add, &QPushButton::clicked, this, &PhotosScreen::chooseFiles);
    connect(save, &QPushButton::clicked, this, [this] {
        if (saveChosen())
            fill(chosenRow());
    });
    connect(main, &QPushButton::clicked, this, &PhotosScreen::makeMain);
    connect(remove, &QPushButton::clicked, this, &PhotosScreen::removeChosen);
    setMainButton(save);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { showChosen(); });

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Caption"), m_caption);
    form->addRow(QStringLiteral("&Taken on"), m_taken);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {save, main, remove})
        buttons->addWidget(button);
    auto *right = new QVBoxLayout;
    right->addWidget(m_preview);
    right->addLayout(form);
    right->addLayout(buttons);
    right->addStretch();
    auto *left = new QVBoxLayout;
    left->addWidget(m_list, 1);
    auto *hint = new QLabel(QStringLiteral("Drop photos here from the file manager, or:"));
    hint->setWordWrap(true);
    left->addWidget(hint);
    left->addWidget(add);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(columns, 1);
    setMinimumSize(760, 520);
}

void PhotosScreen::showDog(qint64 dogId, const QString &name)
{
    if (dogId == m_dogId || !settle())
        return;
    m_dogId = dogId;
    m_name = name;
    if (isLoaded())
        fill();
}

void PhotosScreen::load()
{
    fill();
}

void PhotosScreen::fill(int chosen)
{
    m_heading->setText(m_dogId ? QStringLiteral("Photos of %1").arg(m_name)
                               : QStringLiteral("Choose a dog on Dog Records first."));
    const auto photos = m_dogId ? photosOf(db::DatabaseFiles::kennel(), m_dogId)
                                : std::optional<std::vector<Photo>>(std::vector<Photo>());
    if (!photos)
        core::tell(QStringLiteral("The photos could not be read."));
    m_photos = photos.value_or(std::vector<Photo>());
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    const PhotoStore store;
    for (const Photo &photo : m_photos) {
        const QImage thumbnail = store.thumbnail(photo.file);
        QString label = photo.caption.isEmpty() ? QStringLiteral(" ") : photo.caption;
        if (photo.main)
            label += QStringLiteral(" (main)");
        auto *item = new QListWidgetItem(label, m_list);
        if (thumbnail.isNull())
            item->setText(label + QStringLiteral("\n(file missing)"));
        else
            item->setIcon(QIcon(QPixmap::fromImage(thumbnail)));
    }
    m_list->setCurrentRow(m_photos.empty() ? -1 : std::clamp(chosen, 0, int(m_photos.size()) - 1));
    showChosen();
}

int PhotosScreen::chosenRow() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < int(m_photos.size()) ? row : -1;
}

void PhotosScreen::showChosen()
{
    const int row = chosenRow();
    m_caption->setEnabled(row >= 0);
    m_taken->setEnabled(row >= 0);
    if (row < 0) {
        m_preview->setText(m_dogId ? QStringLiteral("No photos yet") : QString());
        m_caption->clear();
        m_taken->clear();
        return;
    }
    const Photo &photo = m_photos[size_t(row)];
    m_caption->setText(photo.caption);
    m_taken->setText(core::datetext::shortDate(photo.taken));
    const QImage image = PhotoStore().image(photo.file, QSize(previewSize, previewSize));
    if (image.isNull())
        m_preview->setText(QStringLiteral("The file %1 is missing from the photos folder or "
                                          "damaged. Run File > Check Kennel to list every such "
                                          "photo.")
                               .arg(photo.file));
    else
        m_preview->setPixmap(QPixmap::fromImage(image));
}

bool PhotosScreen::saveChosen()
{
    const int row = chosenRow();
    if (row < 0)
        return true;
    Photo photo = m_photos[size_t(row)];
    const QDate taken = core::datetext::parse(m_taken->text());
    if (!taken.isValid() && !m_taken->text().trimmed().isEmpty()) {
        core::tell(core::datetext::invalidDateMessage(QStringLiteral("Taken on"), m_taken->text()));
        m_taken->setFocus();
        return false;
    }
    if (photo.caption == m_caption->text() && photo.taken == taken)
        return true;
    photo.caption = m_caption->text();
    photo.taken = taken;
    if (const auto saved = savePhoto(db::DatabaseFiles::kennel(), photo, m_name); !saved) {
        core::tellNothingChanged(QStringLiteral("The photo"), saved.problem());
        return false;
    }
    m_photos[size_t(row)] = photo;
    return true;
}

bool PhotosScreen::settle()
{
    return saveChosen();
}

void PhotosScreen::chooseFiles()
{
    if (!m_dogId || !saveChosen())
        return;
    const QStringList paths = QFileDialog::getOpenFileNames(this, QStringLiteral("Add Photos"),
                                                            QDir::homePath(), imageFilter());
    if (!paths.isEmpty())
        addFiles(paths);
}

void PhotosScreen::addFiles(const QStringList &paths)
{
    if (!m_dogId || !saveChosen())
        return;
    const PhotoStore store;
    QStringList refused;
    bool added = false;
    for (const QString &path : paths) {
        const PhotoStore::Added stored = store.add(path);
        QString problem = stored.problem;
        if (problem.isEmpty()) {
            const auto listed = addPhoto(db::DatabaseFiles::kennel(), m_dogId, stored.file, m_name);
            if (listed)
                added = true;
            else
                problem = listed.problem();
        }
        if (!problem.isEmpty())
            refused << QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), problem);
    }
    if (added) {
        fill(int(m_photos.size()));
        Q_EMIT kennel::Changes::instance().photosChanged(m_dogId);
    }
    if (!refused.isEmpty())
        core::tell(QStringLiteral("These files were not added:\n") +
                   refused.join(QLatin1Char('\n')));
}

void PhotosScreen::makeMain()
{
    const int row = chosenRow();
    if (row < 0 || !saveChosen())
        return;
    if (const auto made = makeMainPhoto(db::DatabaseFiles::kennel(), m_photos[size_t(row)], m_name);
        !made) {
        core::tellNothingChanged(QStringLiteral("The main photo"), made.problem());
        return;
    }
    fill(0);
    Q_EMIT kennel::Changes::instance().photosChanged(m_dogId);
}

void PhotosScreen::removeChosen()
{
    const int row = chosenRow();
    if (row < 0)
        return;
    if (!core::ask(QStringLiteral("Take this photo off %1? The file stays in the photos folder.")
                       .arg(m_name)))
        return;
    if (const auto removed =
            removePhoto(db::DatabaseFiles::kennel(), m_photos[size_t(row)], m_name);
        !removed) {
        core::tellNothingChanged(QStringLiteral("The photo"), removed.problem());
        return;
    }
    fill(row);
    Q_EMIT kennel::Changes::instance().photosChanged(m_dogId);
}

void PhotosScreen::dragEnterEvent(QDragEnterEvent *event)
{
    if (m_dogId && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void PhotosScreen::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    addFiles(paths);
}

} // namespace showcase
