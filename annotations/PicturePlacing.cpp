#include "PicturePlacing.h"

#include "BitmapFile.h"
#include "document/Document.h"
#include "platform/FileIO.h"
#include "platform/Paths.h"
#include "platform/Strings.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kMaxNameTries = 100;
constexpr int kJpegQuality = 90;

QString SizeText(const QSize& size)
{
    return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
}

bool SameBytes(const QString& a, const QString& b)
{
    QByteArray left;
    QByteArray right;
    return QFileInfo(a).size() == QFileInfo(b).size() && ReadWholeFile(a, left) == FILE_OK &&
           ReadWholeFile(b, right) == FILE_OK && left == right;
}

// A free name in the folder for 'fileName' ("foto.png", "foto (2).png", ...), or the
// name of a file there that already holds the same picture. 'sameAs' tells whether a
// file in the folder is that picture. Empty when no name is free.
template <class SameAs>
QString NameInFolder(const QDir& folder, const QString& fileName, SameAs sameAs)
{
    const QFileInfo info(fileName);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    for (int n = 1; n <= kMaxNameTries; ++n) {
        const QString name = n == 1 ? fileName : QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix);
        const QString path = folder.filePath(name);
        if (!QFileInfo::exists(path) || sameAs(path))
            return name;
    }
    return {};
}

QString CopyIntoFolder(const QDir& folder, const QString& file)
{
    const QString name = NameInFolder(folder, QFileInfo(file).fileName(),
                                      [&](const QString& there) { return SameBytes(there, file); });
    if (name.isEmpty())
        return {};
    const QString target = folder.filePath(name);
    if (QFileInfo::exists(target))
        return name; // the same picture is there already
    return QFile::copy(file, target) ? name : QString();
}

// The scaled photograph as a file of its own: a JPEG stays a JPEG, anything else
// becomes a PNG.
QString WriteScaledCopy(const QDir& folder, const QString& file, const QImage& image)
{
    const bool jpeg = PictureFormatOfFile(file) == PictureFormat::Jpeg;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, jpeg ? "JPG" : "PNG", jpeg ? kJpegQuality : -1))
        return {};
    const QString wanted =
        QFileInfo(file).completeBaseName() + (jpeg ? QStringLiteral("-verkleind.jpg") : QStringLiteral("-verkleind.png"));
    const QString name = NameInFolder(folder, wanted, [&](const QString& there) {
        QByteArray held;
        return ReadWholeFile(there, held) == FILE_OK && held == bytes;
    });
    if (name.isEmpty())
        return {};
    const QString target = folder.filePath(name);
    if (QFileInfo::exists(target))
        return name;
    return WriteWholeFile(target, bytes) == FILE_OK ? name : QString();
}

} // namespace

QString BitmapFolderPath(const CVeldtrakDoc& doc)
{
    const QString& folder = doc.m_strFolderBitmap;
    return QDir::cleanPath(FileSystemPath(IsAbsoluteName(folder) ? folder : doc.m_strFolderRoot + folder));
}

QString NameBelowFolder(const QString& folder, const QString& file)
{
    const QString root = QFileInfo(folder).canonicalFilePath();
    const QString path = QFileInfo(file).canonicalFilePath();
    if (root.isEmpty() || path.isEmpty() || !path.startsWith(root + u'/'))
        return {};
    return WindowsName(path.mid(root.size() + 1));
}

QString PrepareNewPicture(CVeldtrakDoc& doc, const QString& chosen)
{
    const QString file = FileSystemPath(chosen);
    QSize original;
    const QImage image = ReadPictureToFit(file, kBoardInPixels, original);
    if (image.isNull()) {
        doc.m_messageBox.Show(QStringLiteral("Het bestand %1 kan niet als plaatje worden gelezen. "
                                             "Kies een BMP-, PNG- of JPEG-bestand.")
                                  .arg(QFileInfo(file).fileName()),
                              LoadString(61493));
        return {};
    }
    const QString folderPath = BitmapFolderPath(doc);
    const QString shownFolder = doc.m_strFolderBitmap.isEmpty() ? QStringLiteral("van het programma")
                                                                : doc.m_strFolderBitmap;
    const auto cannotStore = [&] {
        doc.m_messageBox.Show(QStringLiteral("Het plaatje kon niet in de map %1 worden gezet.").arg(shownFolder),
                              LoadString(61493));
        return QString();
    };

    if (image.size() != original) {
        QDir().mkpath(folderPath);
        const QString name = WriteScaledCopy(QDir(folderPath), file, image);
        if (name.isEmpty())
            return cannotStore();
        doc.m_messageBox.Show(QStringLiteral("De foto (%1 beeldpunten) is groter dan het bord en is "
                                             "verkleind tot %2 beeldpunten: %3 in de map %4.")
                                  .arg(SizeText(original), SizeText(image.size()), name, shownFolder),
                              LoadString(61612));
        return WindowsName(name);
    }
    if (const QString below = NameBelowFolder(folderPath, file); !below.isEmpty())
        return below;

    const int answer = doc.m_confirmBox.AskText(
        QStringLiteral("Het plaatje staat niet in de map %1. Kopiëren naar die map, zodat het "
                       "werkblad het op elke computer toont?")
            .arg(shownFolder));
    if (answer == CConfirmBox::kNee)
        return chosen; // kept where it is: it shows on this computer only
    if (answer != CConfirmBox::kJa)
        return {};
    QDir().mkpath(folderPath);
    const QString name = CopyIntoFolder(QDir(folderPath), file);
    return name.isEmpty() ? cannotStore() : WindowsName(name);
}
