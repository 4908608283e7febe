#include "ui/intake/adddirectorydialog.h"

#include "core/intake/adddirectorylayout.h"
#include "core/intake/directorylisting.h"
#include "ui/common/controlrows.h"
#include "ui/common/prompts.h"
#include "ui/intake/directorylist.h"

#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QtConcurrent/QtConcurrentRun>

AddDirectoryDialog::AddDirectoryDialog(Prompts &prompts, QWidget *parent, VolumeSource volumes)
    : QDialog(parent)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("opdir"));
    setWindowTitle(QStringLiteral("增加目录"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsSize(AddDirectoryLayout::kWidthTwips, AddDirectoryLayout::kHeightTwips));
    buildControls();
    fillDrives(volumes);
    openStartDirectory();
    connect(&m_listing, &QFutureWatcherBase::finished, this, &AddDirectoryDialog::finishListing);

    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(QStyle::alignedRect(
            Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

void AddDirectoryDialog::buildControls()
{
    m_drives = new QComboBox(this);
    placeControl(m_drives, AddDirectoryLayout::kDrives);
    m_directories = new DirectoryList(this);
    placeControl(m_directories, AddDirectoryLayout::kDirectories);
    m_confirm = new QPushButton(captionOf(AddDirectoryLayout::kConfirm), this);
    placeControl(m_confirm, AddDirectoryLayout::kConfirm);
    m_cancel = new QPushButton(captionOf(AddDirectoryLayout::kCancel), this);
    placeControl(m_cancel, AddDirectoryLayout::kCancel);
    // Neither button is the default: Enter in the directory list opens a folder.
    for (QPushButton *button : { m_confirm, m_cancel }) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    setTabOrder(m_drives, m_directories);
    setTabOrder(m_directories, m_confirm);
    setTabOrder(m_confirm, m_cancel);
    m_drives->setFocus();
    connect(m_confirm, &QPushButton::clicked, this, &AddDirectoryDialog::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
}

// Asking for the mounted volumes waits on each of them, and a network mount
// that hangs would hold the window: they are read on a worker thread, and
// the directory list opens meanwhile.
void AddDirectoryDialog::fillDrives(VolumeSource volumes)
{
    connect(
        &m_volumeWatcher, &QFutureWatcherBase::finished, this, &AddDirectoryDialog::takeVolumes);
    m_volumeWatcher.setFuture(QtConcurrent::run(volumes));
    connect(m_directories, &DirectoryList::opened, this, &AddDirectoryDialog::showDriveOf);
}

void AddDirectoryDialog::takeVolumes()
{
    m_volumes = m_volumeWatcher.result();
    for (const Volume &volume : std::as_const(m_volumes))
        m_drives->addItem(volume.name, volume.root);
    connect(m_drives, &QComboBox::currentIndexChanged, this, &AddDirectoryDialog::changeDrive);
    if (!m_directories->isOpening())
        showDriveOf();
}

// The directory the process is in at this moment, or, when that cannot be
// read (removed, no permission), the home folder, then the root.
void AddDirectoryDialog::openStartDirectory()
{
    m_startPlaces = QStringList { QDir::currentPath(), QDir::homePath(), QStringLiteral("/") };
    m_startPlaces.removeAll(QString());
    connect(m_directories, &DirectoryList::openFailed, this, &AddDirectoryDialog::openNextStart);
    openNextStart();
}

void AddDirectoryDialog::openNextStart()
{
    // Once a directory is open, an unreadable folder or volume leaves the
    // list as it was.
    if (!m_directories->path().isEmpty() || m_startPlaces.isEmpty())
        return;
    const QString path = QDir::cleanPath(m_startPlaces.takeFirst());
    const qsizetype volume = Volumes::holding(m_volumes, path);
    m_directories->open(volume < 0 ? QStringLiteral("/") : m_volumes.at(volume).root, path);
}

// The drive list follows the directory list's volume without reopening it.
// A directory opened before the volumes were known is shown again from the
// top of its volume.
void AddDirectoryDialog::showDriveOf()
{
    const QString path = m_directories->path();
    const qsizetype volume = Volumes::holding(m_volumes, path);
    if (volume >= 0 && QDir::cleanPath(m_volumes.at(volume).root) != m_directories->top()) {
        m_directories->open(m_volumes.at(volume).root, path);
        return;
    }
    const int index = m_drives->findData(m_directories->top());
    if (index >= 0 && index != m_drives->currentIndex()) {
        const QSignalBlocker quiet(m_drives);
        m_drives->setCurrentIndex(index);
    }
}

void AddDirectoryDialog::changeDrive(int index)
{
    const QString root = m_drives->itemData(index).toString();
    if (!root.isEmpty())
        m_directories->open(root, root);
}

// Lists on a worker thread, so a directory of many files or a slow disk does
// not freeze the window; the items go out in one piece.
void AddDirectoryDialog::confirm()
{
    const QString directory = m_directories->path();
    if (directory.isEmpty() || m_listing.isRunning())
        return;
    m_confirm->setEnabled(false);
    m_listing.setFuture(QtConcurrent::run(&DirectoryListing::files, directory));
}

void AddDirectoryDialog::finishListing()
{
    m_confirm->setEnabled(true);
    const DirectoryListing::FileListing listing = m_listing.result();
    if (listing.pathBreaksLine) {
        tell(QStringLiteral("这个目录的路径里有换行符，播放列表的一个条目只能是一行文字，"
                            "所以其中的文件无法加入。"));
        return;
    }
    if (listing.items.isEmpty() && listing.skipped == 0) {
        m_prompts.message(this, QStringLiteral("没有发现文件呀，请确保目录中有文件。"),
            QStringLiteral("错误！"), Prompts::Icon::None, Prompts::Buttons::Ok);
        return;
    }
    if (!listing.items.isEmpty())
        Q_EMIT itemsChosen(listing.items);
    if (listing.skipped > 0)
        tell(QStringLiteral("有 %1 个文件没有加入：文件名里有换行符，"
                            "或者含有系统编码无法表示的字符。")
                 .arg(listing.skipped));
    if (!listing.items.isEmpty())
        close();
}

void AddDirectoryDialog::tell(const QString &text)
{
    m_prompts.message(this, text, windowTitle(), Prompts::Icon::Information, Prompts::Buttons::Ok);
}
